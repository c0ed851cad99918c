#pragma once

#include "TagFields.h"

#include <string>

// The most characters each field of the form takes, and what the user is told when a text is
// longer. A longer text can only come from a file: the form stops typing at the limit.
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

// The first field of FIELDS longer than its limit, in the order above; nullptr when all fit.
const Field* FirstTooLong(const TagFields& fields);

// "Please enter no more than %1 characters." with LIMIT in place of %1.
std::string TooLongMessage(int limit);

} // namespace FieldLimits
