#pragma once

#include <string>

// The five texts of the form, in UTF-8, exactly as the form shows them.
struct TagFields {
    std::string title, artist, album, year, comment;

    bool operator==(const TagFields& other) const {
        return title == other.title && artist == other.artist && album == other.album &&
               year == other.year && comment == other.comment;
    }
    bool operator!=(const TagFields& other) const { return !(*this == other); }
};
