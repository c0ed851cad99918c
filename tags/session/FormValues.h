#pragma once

#include "CoverPicture.h"
#include "GenreTable.h"
#include "TagFields.h"

#include <optional>

// What the form holds: the texts of the fields and the selected row of the genre list (kNoRow when
// none is selected), and the front cover it shows (none when it shows "No cover").
struct FormValues {
    TagFields texts;
    int genreRow = GenreTable::kNoneRow;
    std::optional<CoverPicture> cover;

    bool operator==(const FormValues& other) const {
        return texts == other.texts && genreRow == other.genreRow && cover == other.cover;
    }
    bool operator!=(const FormValues& other) const { return !(*this == other); }
};
