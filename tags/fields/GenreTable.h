#pragma once

#include <string>

// The rows of the form's genre list and their mapping to ID3v1 genre numbers. Rows 0 to 79 are
// the genres of those numbers; row 80, "None", stands for 255, the number meaning "no genre".
namespace GenreTable {

constexpr int kRowCount = 81;
constexpr int kNoneRow = 80;
constexpr unsigned kNoGenre = 255;
constexpr int kNoRow = -1;

// The row's text; nullptr outside 0..80.
const char* RowText(int row);
// 255 -> 80; 0..80 -> the same index; 81..254 -> kNoRow (no row can show them).
int RowForNumber(unsigned number);
// 0..79 -> the same number; 80 -> 255; anything else (no selection) -> 255.
unsigned NumberForRow(int row);
// The row whose text matches NAME ignoring ASCII case; kNoRow when none does.
int RowForName(const char* name);
// The row of a genre named as taggers name it: a row's text or the usual ID3v1 name of its
// genre, compared on letters and digits alone, case ignored, "&" read as "n" ("Hip-Hop",
// "R&B", "Rock & Roll", "Top 40"); kNoRow when none matches.
int RowForGenreName(const std::string& name);

} // namespace GenreTable
