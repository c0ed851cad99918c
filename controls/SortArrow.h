#pragma once

#include "HeaderGeometry.h"

#include <vector>

// The sort arrow drawn in an 8 x 8 box: a triangle outlined with a light and a dark edge, lit
// from the top left like the rest of the header.
namespace SortArrow {

struct Strokes {
    std::vector<HeaderPoint> light;
    std::vector<HeaderPoint> dark;
};

// Pixels of a line from `from` up to, but not including, `to`, as a pen move-and-draw sets them.
std::vector<HeaderPoint> LinePixels(HeaderPoint from, HeaderPoint to);

// The arrow in the box whose top-left corner is (x0, y0); ascending points up.
Strokes Outline(int x0, int y0, bool ascending);

} // namespace SortArrow
