#include "SortArrow.h"

namespace SortArrow {
namespace {

constexpr int kBoxSize = 8;
constexpr int kRows = kBoxSize / 2;
constexpr int kTopRow = (kBoxSize - kRows) / 2;

} // namespace

std::vector<HeaderPoint> Pixels(int x0, int y0, bool ascending) {
    std::vector<HeaderPoint> pixels;
    for (int row = 0; row < kRows; ++row) {
        // Row 0 is the tip, two pixels wide; each row further on is one pixel wider each side.
        const int y = y0 + kTopRow + (ascending ? row : kRows - 1 - row);
        for (int x = x0 + kRows - 1 - row; x <= x0 + kRows + row; ++x)
            pixels.push_back(HeaderPoint{x, y});
    }
    return pixels;
}

} // namespace SortArrow
