#include "FileRowSort.h"

#include "CFileRowStore.h"

namespace FileRowSort {

bool NextAscending(int currentColumn, bool currentAscending, int clickedColumn) {
    return clickedColumn == currentColumn ? !currentAscending : true;
}

void SortRows(CFileRowStore& rows, int column, bool ascending, int columnCount, int low, int high) {
    if (column < 0 || column >= columnCount)
        return;
    if (high == -1)
        high = rows.Count() - 1;
    if (high <= low)
        return;

    // QString compares UTF-16 code units: character codes, no locale, case-sensitive.
    const auto before = [&](int row, const QString& pivot) {
        return ascending ? rows.Text(row, column) < pivot : rows.Text(row, column) > pivot;
    };
    const auto after = [&](int row, const QString& pivot) {
        return ascending ? rows.Text(row, column) > pivot : rows.Text(row, column) < pivot;
    };

    const QString pivot = rows.Text((low + high) / 2, column);
    int lo = low;
    int hi = high;
    while (lo <= hi) {
        while (lo < high && before(lo, pivot))
            ++lo;
        while (hi > low && after(hi, pivot))
            --hi;
        if (lo <= hi) {
            if (rows.Text(lo, column) != rows.Text(hi, column))
                rows.Swap(lo, hi);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        SortRows(rows, column, ascending, columnCount, low, hi);
    if (lo < high)
        SortRows(rows, column, ascending, columnCount, lo, high);
}

bool IsSorted(const CFileRowStore& rows, int column, bool ascending) {
    for (int row = 1; row < rows.Count(); ++row) {
        const QString& above = rows.Text(row - 1, column);
        const QString& below = rows.Text(row, column);
        if (ascending ? below < above : below > above)
            return false;
    }
    return true;
}

} // namespace FileRowSort
