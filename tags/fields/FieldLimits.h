#pragma once

#include "TagFields.h"

#include <string>

// The most characters each field of the form takes, and what the user is told when a text is
// longer. Characters are counted as a user sees them: code points, so a character outside the
// Basic Multilingual Plane counts once. The limits hold for what the user types: a longer text
// can only come from a file, and is kept while the user leaves it as it is.
namespace FieldLimits {

constexpr int kTitle = 30;
constexpr int kArtist = 30;
constexpr int kAlbum = 30;
constexpr int kYear = 4;
constexpr int kComment = 28;

struct Field {
    const char* label; // as the form names the field
    std::string TagFields::*member;
    int limit;
};

constexpr int kFieldCount = 5;
// Title, Artist, Album, Year, Comments.
extern const Field kFields[kFieldCount];

bool IsTooLong(const std::string& text, int limit);
// The first field of FIELDS, in the order above, that differs from UNCHANGED and is longer
// than its limit; nullptr when there is none.
const Field* FirstTooLongEdit(const TagFields& fields, const TagFields& unchanged);

// "Please enter no more than %1 characters." with LIMIT in place of %1.
std::string TooLongMessage(int limit);

} // namespace FieldLimits
