#include "FieldLimits.h"

namespace FieldLimits {

const Field kFields[kFieldCount] = {
    {"Title", &TagFields::title, kTitle},        {"Artist", &TagFields::artist, kArtist},
    {"Album", &TagFields::album, kAlbum},        {"Year", &TagFields::year, kYear},
    {"Comments", &TagFields::comment, kComment},
};

const Field* FirstTooLong(const TagFields& fields) {
    for (const Field& field : kFields)
        if ((fields.*field.member).size() > static_cast<std::size_t>(field.limit))
            return &field;
    return nullptr;
}

std::string TooLongMessage(int limit) {
    return "Please enter no more than " + std::to_string(limit) + " characters.";
}

} // namespace FieldLimits
