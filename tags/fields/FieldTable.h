#pragma once

#include "TagFields.h"

#include <string>

// The one list of the form's fields, in the order the form, tageditor-cli's options and its
// `show` list them: each field's name, its rule, where it lives in an ID3v2.3 and an ID3v1 tag,
// and its option. Adding a field is a row here, its frame in the tag core if the frame is new,
// and its place in the window's layout table.
namespace FieldTable {

enum class Rule {
    Text,   // any text up to the limit
    Digits, // digits only, up to the limit
    Number, // "N" or "N/T", each 1 to 999
    Genre,  // a row of the genre list; the genre is no text of the form
};

// Where a field lives in an ID3v1 tag.
enum class Id3v1Place { None, Title, Artist, Album, Year, Comment, Track, Genre };

struct Row {
    const char* name; // how messages and `show` name the field
    Rule rule;
    int limit;                    // the most characters the user may enter; 0 for the genre
    std::string TagFields::*text; // nullptr for the genre
    const char* frame;            // its ID3v2.3 frame
    Id3v1Place id3v1;
    const char* option; // tageditor-cli set's option
    // Where a Save replaces the field's frames, which decides their order in a written tag.
    int saveStep;
};

constexpr int kRowCount = 9;
// Title, Artist, Album, Year, Genre, Comments, Track, Disc, Album artist.
extern const Row kRows[kRowCount];

// The row of the text MEMBER, or of the genre for nullptr.
const Row& RowOf(std::string TagFields::*member);

} // namespace FieldTable
