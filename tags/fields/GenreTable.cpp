#include "GenreTable.h"

#include <cctype>
#include <unordered_map>

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

// The usual ID3v1 names that differ from the rows' texts by more than spaces and punctuation.
constexpr struct {
    int row;
    const char* name;
} kOtherNames[] = {{40, "Alt. Rock"}, {59, "Gangsta Rap"}, {67, "Psychedelic"}};

std::string Folded(const std::string& name) {
    std::string folded;
    for (unsigned char c : name) {
        if (c == '&')
            folded.push_back('n');
        else if (std::isalnum(c))
            folded.push_back(static_cast<char>(std::tolower(c)));
        else if (c >= 0x80)
            return {}; // no genre name has such characters
    }
    return folded;
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

int RowForGenreName(const std::string& name) {
    const std::string folded = Folded(name);
    if (folded.empty())
        return kNoRow;
    // Folded once: every file's genre name is looked up here.
    static const std::unordered_map<std::string, int> rows = [] {
        std::unordered_map<std::string, int> byName;
        for (int row = 0; row < kNoneRow; ++row)
            byName.emplace(Folded(kRowTexts[row]), row);
        for (const auto& other : kOtherNames)
            byName.emplace(Folded(other.name), other.row);
        return byName;
    }();
    const auto found = rows.find(folded);
    return found != rows.end() ? found->second : kNoRow;
}

} // namespace GenreTable
