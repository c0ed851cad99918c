#pragma once

#include <string>

// The five texts of the form, as ISO-8859-1 bytes exactly as the form shows them.
struct TagFields {
    std::string title, artist, album, year, comment;

    bool operator==(const TagFields& other) const {
        return title == other.title && artist == other.artist && album == other.album &&
               year == other.year && comment == other.comment;
    }
    bool operator!=(const TagFields& other) const { return !(*this == other); }
};
