#include "FileRowMove.h"

#include "CFileRowStore.h"

namespace FileRowMove {

void MoveRows(CFileRowStore& rows, std::vector<unsigned> dragged, int target) {
    constexpr unsigned kCarriedState = CFileRow::Focused | CFileRow::Selected |
                                       CFileRow::DropHighlighted | CFileRow::StateImageMask;
    int drop = target + 1;
    if (drop < 0 || drop > rows.Count() - 1)
        drop = rows.Count();

    for (size_t i = 0; i < dragged.size(); ++i) {
        if (dragged[i] >= static_cast<unsigned>(rows.Count()))
            continue;
        int p = static_cast<int>(dragged[i]);
        CFileRow record = rows.Row(p);
        record.state &= kCarriedState;
        rows.SetState(p, 0, CFileRow::Selected);
        rows.Insert(drop, std::move(record));
        if (p > drop)
            ++p;
        rows.Remove(p);
        for (size_t j = i; j < dragged.size(); ++j) {
            const int d = static_cast<int>(dragged[j]);
            if (p < d && d < drop)
                dragged[j] = static_cast<unsigned>(d - 1);
            else if (drop < d && d < p)
                dragged[j] = static_cast<unsigned>(d + 1);
        }
        if (p > drop)
            ++drop;
    }
}

} // namespace FileRowMove
