#include "FieldTable.h"

namespace FieldTable {

// Artist, Album, Title, Year, Comments, then the genre: the order in which frames of a new tag
// have always been written. The later fields follow.
const Row kRows[kRowCount] = {
    {"Title", Rule::Text, 30, &TagFields::title, "TIT2", Id3v1Place::Title, "--title", 2},
    {"Artist", Rule::Text, 30, &TagFields::artist, "TPE1", Id3v1Place::Artist, "--artist", 0},
    {"Album", Rule::Text, 30, &TagFields::album, "TALB", Id3v1Place::Album, "--album", 1},
    {"Year", Rule::Digits, 4, &TagFields::year, "TYER", Id3v1Place::Year, "--year", 3},
    {"Genre", Rule::Genre, 0, nullptr, "TCON", Id3v1Place::Genre, "--genre", 5},
    {"Comments", Rule::Text, 28, &TagFields::comment, "COMM", Id3v1Place::Comment, "--comment", 4},
    {"Track", Rule::Number, 7, &TagFields::track, "TRCK", Id3v1Place::Track, "--track", 6},
    {"Disc", Rule::Number, 7, &TagFields::disc, "TPOS", Id3v1Place::None, "--disc", 7},
    {"Album artist", Rule::Text, 30, &TagFields::albumArtist, "TPE2", Id3v1Place::None,
     "--album-artist", 8},
};

const Row& RowOf(std::string TagFields::*member) {
    for (const Row& row : kRows)
        if (row.text == member)
            return row;
    return kRows[0]; // unreachable: every text of the form has a row
}

} // namespace FieldTable
