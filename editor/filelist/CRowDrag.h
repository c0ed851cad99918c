#pragma once

#include <vector>

class CFileRowStore;

// What a row drag knows between its start and the release of the button: which rows travel,
// which row carries the drop highlight, and where the rows will go.
class CRowDrag {
public:
    // Collects the selected rows, top to bottom; false when no row is selected.
    bool Begin(const CFileRowStore& rows);

    // Moves the drop highlight to `row` and makes it the drop target. A position that is no
    // row changes nothing and returns false.
    bool SetTarget(CFileRowStore& rows, int row);
    // One row up (−1) or down (+1) from the current target, for the auto-scroll.
    bool StepTarget(CFileRowStore& rows, int delta) {
        return SetTarget(rows, m_nDropPosition + delta);
    }

    // Gives the highlighted row its drop-highlight bit back and moves the dragged rows after
    // the target. Moves nothing when the pointer never passed over a row during this drag, so
    // an old drag's target is never reused. Returns whether rows were moved.
    bool Finish(CFileRowStore& rows);

    const std::vector<unsigned>& DraggedRows() const { return m_arrDragged; }
    int HighlightedRow() const { return m_nHighlighted; }
    int DropPosition() const { return m_nDropPosition; }

private:
    void RestoreHighlight(CFileRowStore& rows);

    std::vector<unsigned> m_arrDragged;
    int m_nDropPosition = -1;
    int m_nHighlighted = -1;
    unsigned m_nSavedHighlight = 0;
    bool m_bTargetSet = false;
};
