#include "FileRowSort.h"

#include "CFileRowStore.h"

namespace FileRowSort {

namespace {

// The number a text starts with; -1 for a text that starts with none.
qint64 LeadingNumber(const QString& text) {
    qint64 number = -1;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || number > 99999999)
            break;
        number = (number < 0 ? 0 : number * 10) + (c.unicode() - '0');
    }
    return number;
}

} // namespace

int Compare(const QString& a, const QString& b, bool asNumbers) {
    if (!asNumbers)
        // Character codes, no locale, case-sensitive.
        return a < b ? -1 : (b < a ? 1 : 0);
    const qint64 left = LeadingNumber(a);
    const qint64 right = LeadingNumber(b);
    return left < right ? -1 : (right < left ? 1 : 0);
}

bool NextAscending(int currentColumn, bool currentAscending, int clickedColumn) {
    return clickedColumn == currentColumn ? !currentAscending : true;
}

void SortRows(CFileRowStore& rows, int column, bool ascending, int columnCount, bool asNumbers,
              int low, int high) {
    if (column < 0 || column >= columnCount)
        return;
    if (high == -1)
        high = rows.Count() - 1;
    if (high <= low)
        return;

    const auto order = [&](int row, const QString& pivot) {
        const int compared = Compare(rows.Text(row, column), pivot, asNumbers);
        return ascending ? compared : -compared;
    };
    const auto before = [&](int row, const QString& pivot) { return order(row, pivot) < 0; };
    const auto after = [&](int row, const QString& pivot) { return order(row, pivot) > 0; };

    const QString pivot = rows.Text((low + high) / 2, column);
    int lo = low;
    int hi = high;
    while (lo <= hi) {
        while (lo < high && before(lo, pivot))
            ++lo;
        while (hi > low && after(hi, pivot))
            --hi;
        if (lo <= hi) {
            if (Compare(rows.Text(lo, column), rows.Text(hi, column), asNumbers) != 0)
                rows.Swap(lo, hi);
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        SortRows(rows, column, ascending, columnCount, asNumbers, low, hi);
    if (lo < high)
        SortRows(rows, column, ascending, columnCount, asNumbers, lo, high);
}

bool IsSorted(const CFileRowStore& rows, int column, bool ascending, bool asNumbers) {
    for (int row = 1; row < rows.Count(); ++row) {
        const int compared = Compare(rows.Text(row - 1, column), rows.Text(row, column), asNumbers);
        if (ascending ? compared > 0 : compared < 0)
            return false;
    }
    return true;
}

} // namespace FileRowSort
