#pragma once

#include <string>

// The texts of the form, in UTF-8, exactly as the form shows them. FieldTable lists them with
// their rules; everything that goes through every field walks that table.
struct TagFields {
    std::string title, artist, album, year, comment;
    std::string track{}, disc{}, albumArtist{};

    bool operator==(const TagFields& other) const;
    bool operator!=(const TagFields& other) const { return !(*this == other); }
};
