#pragma once

class CFileRowStore;
class QString;

// Sorting the file list by one column.
namespace FileRowSort {

// The direction after a click on `clickedColumn`: a second click on the same column turns the
// direction round, a click on another column sorts ascending. Used for the list's own sort and
// for the header's arrow alike.
bool NextAscending(int currentColumn, bool currentAscending, int clickedColumn);

// Sorts rows low..high (high −1: the last row) by the text of `column`, comparing character
// codes, case-sensitive. Texts are read afresh on every comparison, rows with equal texts are
// never swapped, and a swap exchanges whole rows so selection and focus go with the content.
// A column at or beyond `columnCount` is left alone. With `asNumbers`, texts compare by the
// number they start with ("3/12" as 3, "1999" as 1999), a text without one before any number.
void SortRows(CFileRowStore& rows, int column, bool ascending, int columnCount,
              bool asNumbers = false, int low = 0, int high = -1);

// Whether the rows stand in the order SortRows gives them, so that a sort arrow still tells the
// truth after rows were added or moved by hand.
bool IsSorted(const CFileRowStore& rows, int column, bool ascending, bool asNumbers = false);

// Below zero when A comes before B in an ascending sort, zero when they tie, above zero after.
int Compare(const QString& a, const QString& b, bool asNumbers);

} // namespace FileRowSort
