#include "FieldLimits.h"

#include "UnicodeText.h"

namespace FieldLimits {

const Field kFields[kFieldCount] = {
    {"Title", &TagFields::title, kTitle},        {"Artist", &TagFields::artist, kArtist},
    {"Album", &TagFields::album, kAlbum},        {"Year", &TagFields::year, kYear},
    {"Comments", &TagFields::comment, kComment},
};

bool IsTooLong(const std::string& text, int limit) {
    return UnicodeText::CodePointCount(text) > static_cast<std::size_t>(limit);
}

const Field* FirstTooLongEdit(const TagFields& fields, const TagFields& unchanged) {
    for (const Field& field : kFields)
        if (fields.*field.member != unchanged.*field.member &&
            IsTooLong(fields.*field.member, field.limit))
            return &field;
    return nullptr;
}

std::string TooLongMessage(int limit) {
    return "Please enter no more than " + std::to_string(limit) + " characters.";
}

} // namespace FieldLimits
