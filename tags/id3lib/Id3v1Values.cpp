#include "Id3v1Values.h"

#include "GenreTable.h"
#include "Id3Sizes.h"
#include "Id3StringWriter.h"
#include "ShownFields.h"
#include "UnicodeText.h"

#include <id3/misc_support.h>
#include <id3/tag.h>

#include <cstdlib>

namespace {

// id3lib's ID3v1 writer falls back on these frames in this order.
std::string ArtistOf(const std::vector<std::string>& frames) {
    for (const char* id : {"TPE1", "TPE2", "TPE3", "TCOM"})
        for (const std::string& frame : frames)
            if (ShownFields::Is(frame, id))
                return ShownFields::TextOf(frame);
    return {};
}

std::string V1Comment(const std::vector<std::string>& frames) {
    for (const std::string& frame : frames)
        if (ShownFields::Is(frame, "COMM") &&
            ShownFields::CommentDescription(frame) == "ID3v1 Comment")
            return ShownFields::TextOf(frame);
    const std::size_t shown = ShownFields::ShownComment(frames);
    return shown != ShownFields::npos ? ShownFields::TextOf(frames[shown]) : std::string();
}

// A text field of the tag: ISO-8859-1 up to the first NUL, trailing blanks dropped.
std::string FieldText(const std::string& bytes, std::size_t at, std::size_t size) {
    std::string text = bytes.substr(at, size);
    text.resize(std::min(text.find('\0'), text.size()));
    text.resize(text.find_last_not_of(' ') + 1);
    return UnicodeText::FromLatin1(text);
}

std::string Latin1(const std::string& utf8) {
    return UnicodeText::ToLatin1Lossy(utf8);
}

} // namespace

Id3v1Values Id3v1Values::Of(const std::vector<std::string>& frames) {
    Id3v1Values values;
    values.title = ShownFields::FirstText(frames, "TIT2");
    values.artist = ArtistOf(frames);
    values.album = ShownFields::FirstText(frames, "TALB");
    values.year = ShownFields::FirstText(frames, "TYER");
    if (values.year.empty())
        values.year = ShownFields::ReleaseYear(frames);
    values.comment = V1Comment(frames);
    // "3/12" holds track 3; a track the byte cannot hold is left out rather than cut to 8 bits.
    const int track = std::atoi(ShownFields::FirstText(frames, "TRCK").c_str());
    values.track = track >= 1 && track <= 255 ? static_cast<unsigned>(track) : 0;
    values.genre = ShownFields::GenreNumber(frames);
    return values;
}

std::string Id3v1Values::TextAt(FieldTable::Id3v1Place place) const {
    using Place = FieldTable::Id3v1Place;
    switch (place) {
    case Place::Title:
        return title;
    case Place::Artist:
        return artist;
    case Place::Album:
        return album;
    case Place::Year:
        return year;
    case Place::Comment:
        return comment;
    case Place::Track:
        return track > 0 ? std::to_string(track) : std::string();
    case Place::Genre:
        return genre < GenreTable::kNoGenre ? std::to_string(genre) : std::string();
    case Place::None:
        break;
    }
    return {};
}

Id3v1Values Id3v1Values::Parse(const std::string& bytes) {
    Id3v1Values values;
    if (bytes.size() != Id3Sizes::kId3v1Tag || bytes.compare(0, 3, "TAG") != 0)
        return values;
    values.title = FieldText(bytes, 3, 30);
    values.artist = FieldText(bytes, 33, 30);
    values.album = FieldText(bytes, 63, 30);
    values.year = FieldText(bytes, 93, 4);
    // Version 1.1 ends the comment early with a zero byte and puts the track after it.
    const bool hasTrack = bytes[125] == '\0' && bytes[126] != '\0';
    values.comment = FieldText(bytes, 97, hasTrack ? 28 : 30);
    values.track = hasTrack ? static_cast<unsigned char>(bytes[126]) : 0;
    values.genre = static_cast<unsigned char>(bytes[127]);
    return values;
}

std::string Id3v1Values::Render() const {
    ID3_Tag v1;
    ID3_AddTitle(&v1, Latin1(title).c_str(), true);
    ID3_AddArtist(&v1, Latin1(artist).c_str(), true);
    ID3_AddAlbum(&v1, Latin1(album).c_str(), true);
    ID3_AddYear(&v1, Latin1(year).c_str(), true);
    ID3_AddComment(&v1, Latin1(comment).c_str(), "", true);
    if (track > 0)
        ID3_AddTrack(&v1, static_cast<uchar>(track), 0, true);
    if (genre < GenreTable::kNoGenre)
        ID3_AddGenre(&v1, genre, true);
    Id3StringWriter writer;
    v1.Render(writer, ID3TT_ID3V1);
    return writer.Bytes();
}
