#include "Id3v1Values.h"

#include "FirstFrame.h"
#include "FrameText.h"
#include "FrameWalk.h"
#include "GenreNumber.h"
#include "GenreTable.h"
#include "Id3StringWriter.h"

#include <id3/misc_support.h>
#include <id3/tag.h>

#include <cstdlib>

namespace {

std::string TextOf(const ID3_Tag& tag, ID3_FrameID id) {
    const ID3_Frame* frame = FirstFrame(tag, id);
    return frame ? FrameText::Of(*frame).latin1 : std::string();
}

// id3lib's ID3v1 writer falls back on these frames in this order.
std::string ArtistOf(const ID3_Tag& tag) {
    for (ID3_FrameID id : {ID3FID_LEADARTIST, ID3FID_BAND, ID3FID_CONDUCTOR, ID3FID_COMPOSER})
        if (const ID3_Frame* frame = FirstFrame(tag, id))
            return FrameText::Of(*frame).latin1;
    return {};
}

std::string V1Comment(const ID3_Tag& tag) {
    const ID3_Frame* withoutDescription = nullptr;
    const ID3_Frame* first = nullptr;
    FrameWalk frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        if (frame->GetID() != ID3FID_COMMENT)
            continue;
        const std::string description = FrameText::Of(*frame, ID3FN_DESCRIPTION).latin1;
        if (description == "ID3v1 Comment")
            return FrameText::Of(*frame).latin1;
        if (!first)
            first = frame;
        if (!withoutDescription && description.empty())
            withoutDescription = frame;
    }
    const ID3_Frame* chosen = withoutDescription ? withoutDescription : first;
    return chosen ? FrameText::Of(*chosen).latin1 : std::string();
}

} // namespace

Id3v1Values Id3v1Values::Of(const ID3_Tag& tag) {
    Id3v1Values values;
    values.title = TextOf(tag, ID3FID_TITLE);
    values.artist = ArtistOf(tag);
    values.album = TextOf(tag, ID3FID_ALBUM);
    values.year = TextOf(tag, ID3FID_YEAR);
    values.comment = V1Comment(tag);
    values.track = static_cast<unsigned>(std::atoi(TextOf(tag, ID3FID_TRACKNUM).c_str())) & 0xFF;
    values.genre = GenreNumberOf(tag);
    return values;
}

std::string Id3v1Values::Render() const {
    ID3_Tag v1;
    ID3_AddTitle(&v1, title.c_str(), true);
    ID3_AddArtist(&v1, artist.c_str(), true);
    ID3_AddAlbum(&v1, album.c_str(), true);
    ID3_AddYear(&v1, year.c_str(), true);
    ID3_AddComment(&v1, comment.c_str(), "", true);
    if (track > 0)
        ID3_AddTrack(&v1, static_cast<uchar>(track), 0, true);
    if (genre < GenreTable::kNoGenre)
        ID3_AddGenre(&v1, genre, true);
    Id3StringWriter writer;
    v1.Render(writer, ID3TT_ID3V1);
    return writer.Bytes();
}
