#include "ShownFields.h"

#include "FieldTable.h"
#include "GenreNumber.h"
#include "GenreTable.h"
#include "Id3Text.h"
#include "Id3v23Frame.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace ShownFields {
namespace {

constexpr std::size_t kLanguageSize = 3;

std::string_view BodyOf(const std::string& frame) {
    return frame.size() < Id3v23Frame::kHeaderSize
               ? std::string_view()
               : std::string_view(frame).substr(Id3v23Frame::kHeaderSize);
}

// A comment's description and text, after its encoding and language.
struct Comment {
    std::string description, text;
};

Comment CommentOf(const std::string& frame) {
    const std::string_view body = BodyOf(frame);
    if (body.size() < 1 + kLanguageSize || !Id3Text::IsKnownEncoding(std::uint8_t(body[0])))
        return {};
    const auto encoding = static_cast<std::uint8_t>(body[0]);
    const std::string_view rest = body.substr(1 + kLanguageSize);
    const std::size_t end = Id3Text::FindTerminator(encoding, rest, 0);
    if (end == std::string_view::npos)
        return {Id3Text::Decode(encoding, rest), {}};
    return {Id3Text::Decode(encoding, rest.substr(0, end)),
            Id3Text::JoinValues(
                Id3Text::DecodeValues(encoding, rest.substr(end + Id3Text::UnitWidth(encoding))))};
}

// The text field a frame fills; nullptr for any other frame (comments are chosen apart, and
// the genre is no text of the form).
std::string TagFields::*FieldOf(const std::string& frame) {
    if (Is(frame, "COMM"))
        return nullptr;
    for (const FieldTable::Row& row : FieldTable::kRows)
        if (row.text != nullptr && Is(frame, row.frame))
            return row.text;
    return nullptr;
}

bool IsMachineData(const std::string& description) {
    return description.compare(0, 4, "iTun") == 0;
}

} // namespace

bool Is(const std::string& frame, const char* id) {
    return frame.size() >= 4 && std::memcmp(frame.data(), id, 4) == 0;
}

std::string TextOf(const std::string& frame) {
    if (Is(frame, "COMM"))
        return CommentOf(frame).text;
    const auto values = Id3Text::TextFrameValues(BodyOf(frame));
    return values ? Id3Text::JoinValues(*values) : std::string();
}

std::string FirstText(const std::vector<std::string>& frames, const char* id) {
    const auto first = std::find_if(frames.begin(), frames.end(),
                                    [id](const std::string& frame) { return Is(frame, id); });
    return first != frames.end() ? TextOf(*first) : std::string();
}

std::string CommentDescription(const std::string& frame) {
    return CommentOf(frame).description;
}

TagFields Read(const std::vector<std::string>& frames) {
    TagFields fields;
    for (const std::string& frame : frames)
        if (std::string TagFields::*field = FieldOf(frame))
            fields.*field = TextOf(frame);
    const std::size_t comment = ShownComment(frames);
    if (comment != npos)
        fields.comment = TextOf(frames[comment]);
    if (fields.year.empty())
        fields.year = ReleaseYear(frames);
    return fields;
}

unsigned GenreNumber(const std::vector<std::string>& frames) {
    const auto genre = std::find_if(frames.begin(), frames.end(),
                                    [](const std::string& frame) { return Is(frame, "TCON"); });
    return genre != frames.end() ? GenreNumberFromText(TextOf(*genre)) : GenreTable::kNoGenre;
}

std::string ReleaseYear(const std::vector<std::string>& frames) {
    const auto release = std::find_if(frames.begin(), frames.end(),
                                      [](const std::string& frame) { return Is(frame, "TDRL"); });
    if (release == frames.end())
        return {};
    const std::string time = TextOf(*release);
    const bool hasYear =
        time.size() >= 4 &&
        std::all_of(time.begin(), time.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
    return hasYear ? time.substr(0, 4) : std::string();
}

std::size_t ShownComment(const std::vector<std::string>& frames) {
    std::vector<std::string> descriptions;
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (!Is(frames[i], "COMM"))
            continue;
        descriptions.push_back(CommentDescription(frames[i]));
        at.push_back(i);
    }
    const std::size_t shown = ShownCommentAmong(descriptions);
    return shown == npos ? npos : at[shown];
}

std::size_t ShownCommentAmong(const std::vector<std::string>& descriptions) {
    std::size_t lastPlain = npos;
    std::size_t lastDescribed = npos;
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        if (descriptions[i].empty())
            lastPlain = i;
        else if (!IsMachineData(descriptions[i]))
            lastDescribed = i;
    }
    return lastPlain != npos ? lastPlain : lastDescribed;
}

} // namespace ShownFields
