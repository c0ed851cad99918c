#pragma once

#include <vector>

class CFileRowStore;

namespace FileRowMove {

// Moves the rows at `dragged` (ascending positions) so that they stand, in their former order,
// right after row `target`; a target outside the list sends them to the end. Each row travels
// whole: every column's full text, its icon, its item data and its focus, selection and
// drop-highlight bits. A row dropped on the row just above it keeps its place but loses its
// selection, as the list has always done.
void MoveRows(CFileRowStore& rows, std::vector<unsigned> dragged, int target);

} // namespace FileRowMove
