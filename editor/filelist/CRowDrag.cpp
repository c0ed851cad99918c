#include "CRowDrag.h"

#include "CFileRowStore.h"
#include "FileRowMove.h"

bool CRowDrag::Begin(const CFileRowStore& rows) {
    m_nHighlighted = -1;
    m_nSavedHighlight = 0;
    m_bTargetSet = false;
    m_arrDragged.clear();
    for (int row = rows.NextWithState(-1, CFileRow::Selected); row >= 0;
         row = rows.NextWithState(row, CFileRow::Selected))
        m_arrDragged.push_back(static_cast<unsigned>(row));
    return !m_arrDragged.empty();
}

bool CRowDrag::SetTarget(CFileRowStore& rows, int row) {
    if (!rows.IsValid(row))
        return false;
    RestoreHighlight(rows);
    m_nHighlighted = row;
    m_nSavedHighlight = rows.State(row, CFileRow::DropHighlighted);
    rows.SetState(row, CFileRow::DropHighlighted, CFileRow::DropHighlighted);
    m_nDropPosition = row;
    m_bTargetSet = true;
    return true;
}

bool CRowDrag::Finish(CFileRowStore& rows) {
    RestoreHighlight(rows);
    m_nHighlighted = -1;
    if (!m_bTargetSet)
        return false;
    m_bTargetSet = false;
    FileRowMove::MoveRows(rows, m_arrDragged, m_nDropPosition);
    return true;
}

void CRowDrag::RestoreHighlight(CFileRowStore& rows) {
    if (rows.IsValid(m_nHighlighted))
        rows.SetState(m_nHighlighted, m_nSavedHighlight, CFileRow::DropHighlighted);
}
