#include "GenreTable.h"

#include <cctype>

namespace GenreTable {
namespace {

// The list's own spellings: no spaces or punctuation, unlike the usual ID3v1 genre names.
constexpr const char* kRowTexts[kRowCount] = {
    "Blues",
    "ClassicRock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "HipHop",
    "Jazz",
    "Metal",
    "NewAge",
    "Oldies",
    "Other",
    "Pop",
    "RnB",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "DeathMetal",
    "Pranks",
    "Soundtrack",
    "EuroTechno",
    "Ambient",
    "TripHop",
    "Vocal",
    "JazzFunk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "SoundClip",
    "Gospel",
    "Noise",
    "AlternRock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "InstrumentalPop",
    "InstrumentalRock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "TechnoIndustrial",
    "Electronic",
    "PopFolk",
    "Eurodance",
    "Dream",
    "SouthernRock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top40",
    "ChristianRap",
    "PopFunk",
    "Jungle",
    "NativeAmerican",
    "Cabaret",
    "NewWave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "LoFi",
    "Tribal",
    "AcidPunk",
    "AcidJazz",
    "Polka",
    "Retro",
    "Musical",
    "RocknRoll",
    "HardRock",
    "None",
};

bool EqualIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

} // namespace

const char* RowText(int row) {
    return row >= 0 && row < kRowCount ? kRowTexts[row] : nullptr;
}

int RowForNumber(unsigned number) {
    if (number == kNoGenre)
        return kNoneRow;
    return number < static_cast<unsigned>(kRowCount) ? static_cast<int>(number) : kNoRow;
}

unsigned NumberForRow(int row) {
    return row >= 0 && row < kNoneRow ? static_cast<unsigned>(row) : kNoGenre;
}

int RowForName(const char* name) {
    for (int row = 0; row < kRowCount; ++row)
        if (EqualIgnoringCase(kRowTexts[row], name))
            return row;
    return kNoRow;
}

} // namespace GenreTable
