#include "GenreNumber.h"

#include "GenreTable.h"

namespace {

// Digits from AT on, capped to 255 however many follow; AT moves past them.
unsigned ReadNumber(const std::string& text, std::size_t& at) {
    unsigned number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10 + static_cast<unsigned>(text[at] - '0');
        if (number > GenreTable::kNoGenre)
            number = GenreTable::kNoGenre;
    }
    return number;
}

} // namespace

unsigned GenreNumberFromText(const std::string& text) {
    std::size_t at = text.size() > 1 && text[0] == '(' ? 1 : 0;
    const std::size_t digitsFrom = at;
    const unsigned number = ReadNumber(text, at);
    const bool hasDigits = at > digitsFrom;
    if (hasDigits && digitsFrom == 1 && at < text.size() && text[at] == ')')
        return number;
    if (hasDigits && digitsFrom == 0 && at == text.size())
        return number;
    const int row = GenreTable::RowForGenreName(text);
    return row >= 0 && row < GenreTable::kNoneRow ? static_cast<unsigned>(row)
                                                  : GenreTable::kNoGenre;
}
