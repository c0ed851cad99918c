#include "GenreNumber.h"

#include "FirstFrame.h"
#include "FrameText.h"
#include "GenreTable.h"

unsigned GenreNumberFromText(const std::string& text) {
    if (text.size() < 3 || text[0] != '(')
        return GenreTable::kNoGenre;
    unsigned number = 0;
    std::size_t i = 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10 + static_cast<unsigned>(text[i] - '0');
        if (number > GenreTable::kNoGenre)
            number = GenreTable::kNoGenre; // stays capped however many digits follow
    }
    const bool hasDigits = i > 1;
    if (!hasDigits || i >= text.size() || text[i] != ')')
        return GenreTable::kNoGenre;
    return number;
}

unsigned GenreNumberOf(const ID3_Tag& tag) {
    const ID3_Frame* genre = FirstFrame(tag, ID3FID_CONTENTTYPE);
    return genre ? GenreNumberFromText(FrameText::Of(*genre).latin1) : GenreTable::kNoGenre;
}
