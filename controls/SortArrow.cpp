#include "SortArrow.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace SortArrow {
namespace {

// Rounds numerator / denominator to the nearest integer, halves away from zero.
int RoundedQuotient(int numerator, int denominator) {
    const int twice = 2 * numerator + (numerator >= 0 ? denominator : -denominator);
    return twice / (2 * denominator);
}

void AppendPolyline(std::vector<HeaderPoint>& pixels, std::initializer_list<HeaderPoint> points) {
    const HeaderPoint* previous = nullptr;
    for (const HeaderPoint& point : points) {
        if (previous) {
            const std::vector<HeaderPoint> segment = LinePixels(*previous, point);
            pixels.insert(pixels.end(), segment.begin(), segment.end());
        }
        previous = &point;
    }
}

} // namespace

std::vector<HeaderPoint> LinePixels(HeaderPoint from, HeaderPoint to) {
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<HeaderPoint> pixels;
    pixels.reserve(steps);
    for (int step = 0; step < steps; ++step) {
        pixels.push_back(HeaderPoint{from.x + RoundedQuotient(dx * step, steps),
                                     from.y + RoundedQuotient(dy * step, steps)});
    }
    return pixels;
}

Strokes Outline(int x0, int y0, bool ascending) {
    Strokes strokes;
    if (ascending) {
        AppendPolyline(strokes.light, {{x0 + 4, y0}, {x0 + 7, y0 + 7}, {x0, y0 + 7}});
        AppendPolyline(strokes.dark, {{x0 + 3, y0}, {x0, y0 + 7}});
    } else {
        AppendPolyline(strokes.light, {{x0 + 4, y0 + 7}, {x0 + 7, y0}});
        AppendPolyline(strokes.dark, {{x0 + 3, y0 + 7}, {x0, y0}, {x0 + 8, y0}});
    }
    return strokes;
}

} // namespace SortArrow
