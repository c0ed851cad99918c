#include "ColumnDrag.h"

namespace ColumnDrag {

bool IsPastDragThreshold(HeaderPoint press, HeaderPoint point, int dx, int dy) {
    const bool insideX = point.x >= press.x - dx && point.x < press.x + dx;
    const bool insideY = point.y >= press.y - dy && point.y < press.y + dy;
    return !(insideX && insideY);
}

int SlotAt(const std::vector<HeaderSpan>& spans, int x) {
    for (int order = 0; order < static_cast<int>(spans.size()); ++order) {
        const HeaderSpan& span = spans[order];
        if (x >= span.left && x < span.right)
            return x > (span.left + span.right) / 2 ? order + 1 : order;
    }
    return -1;
}

int DropSlotAt(const std::vector<HeaderSpan>& spans, int x, int draggedOrder) {
    const int slot = SlotAt(spans, x);
    return slot == draggedOrder || slot == draggedOrder + 1 ? -1 : slot;
}

int DestinationOrder(int draggedOrder, int slot) {
    return slot > draggedOrder ? slot - 1 : slot;
}

int MarkerX(const std::vector<HeaderSpan>& spans, int slot) {
    if (slot < static_cast<int>(spans.size()))
        return spans[slot].left - 1;
    return spans.back().right;
}

std::array<Triangle, 2> MarkerTriangles(int x, int bottom) {
    return {Triangle{HeaderPoint{x - 4, 0}, HeaderPoint{x, 4}, HeaderPoint{x + 4, 0}},
            Triangle{HeaderPoint{x - 4, bottom - 1}, HeaderPoint{x, bottom - 5},
                     HeaderPoint{x + 4, bottom - 1}}};
}

} // namespace ColumnDrag
