#pragma once

#include "HeaderGeometry.h"

#include <array>
#include <vector>

// Positions of a column drag. A drop position is a display-order slot between items:
// 0 is before the first item, the item count after the last one, -1 no slot at all.
namespace ColumnDrag {

// Whether a held button has moved far enough from where it went down to start a drag: it is
// still inside while within dx left / right and dy above / below the press point, counting the
// left and top edges of that box as inside and its right and bottom edges as outside.
bool IsPastDragThreshold(HeaderPoint press, HeaderPoint point, int dx, int dy);

// The slot nearest to x on the item under it; -1 when x is on no item.
int SlotAt(const std::vector<HeaderSpan>& spans, int x);

// As SlotAt, but -1 for the two slots beside the dragged item, where dropping moves nothing.
int DropSlotAt(const std::vector<HeaderSpan>& spans, int x, int draggedOrder);

// The display position the dragged item takes when it is dropped in `slot`.
int DestinationOrder(int draggedOrder, int slot);

// The x of the marker for a slot: one left of the item that follows it, or the right edge of
// the last item for the slot after it. Needs at least one item and a slot >= 0.
int MarkerX(const std::vector<HeaderSpan>& spans, int slot);

using Triangle = std::array<HeaderPoint, 3>;

// The two marker triangles at x: one hanging from the top edge, one standing on the bottom
// edge, both pointing into the header whose client bottom is `bottom`.
std::array<Triangle, 2> MarkerTriangles(int x, int bottom);

} // namespace ColumnDrag
