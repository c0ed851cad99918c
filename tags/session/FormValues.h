#pragma once

#include "GenreTable.h"
#include "TagFields.h"

// What the form holds: the texts of the fields and the selected row of the genre list (kNoRow when
// none is selected).
struct FormValues {
    TagFields texts;
    int genreRow = GenreTable::kNoneRow;

    bool operator==(const FormValues& other) const {
        return texts == other.texts && genreRow == other.genreRow;
    }
    bool operator!=(const FormValues& other) const { return !(*this == other); }
};
