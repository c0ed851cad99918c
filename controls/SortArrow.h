#pragma once

#include "HeaderGeometry.h"

#include <vector>

// The sort arrow drawn in an 8 x 8 box: a solid triangle eight pixels wide at its base and four
// rows tall, centred in the box. It is drawn in the header's text colour, which stands out from
// the header's face on light and dark palettes alike.
namespace SortArrow {

// The arrow's pixels in the box whose top-left corner is (x0, y0); ascending points up.
std::vector<HeaderPoint> Pixels(int x0, int y0, bool ascending);

} // namespace SortArrow
