#pragma once

class CFlatHeaderCtrl;

// Implemented by whoever wants a say in a CFlatHeaderCtrl's column drags; set on the header with
// SetDragListener.
class IHeaderDragListener {
public:
    virtual ~IHeaderDragListener() = default;

    // A column drag is starting on `item` (a logical index). Returning true refuses it: no
    // floating copy, no drop marker and no reorder, though OnEndDrag still comes at release.
    virtual bool OnBeginDrag(CFlatHeaderCtrl& header, int item) = 0;
    // The button went up. Returning true keeps the columns in their current order.
    virtual bool OnEndDrag(CFlatHeaderCtrl& header, int item) = 0;

protected:
    IHeaderDragListener() = default;
    IHeaderDragListener(const IHeaderDragListener&) = default;
    IHeaderDragListener& operator=(const IHeaderDragListener&) = default;
};
