#include "Id3v1Values.h"

#include "FirstFrame.h"
#include "FrameText.h"
#include "FrameWalk.h"
#include "GenreNumber.h"
#include "GenreTable.h"

#include <id3/misc_support.h>
#include <id3/tag.h>

#include <cstdlib>

namespace {

std::string TextOf(const ID3_Tag& tag, ID3_FrameID id) {
    const ID3_Frame* frame = FirstFrame(tag, id);
    return frame ? FrameText::Of(*frame).latin1 : std::string();
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
    values.artist = TextOf(tag, ID3FID_LEADARTIST);
    values.album = TextOf(tag, ID3FID_ALBUM);
    values.year = TextOf(tag, ID3FID_YEAR);
    values.comment = V1Comment(tag);
    values.track = static_cast<unsigned>(std::atoi(TextOf(tag, ID3FID_TRACKNUM).c_str())) & 0xFF;
    values.genre = GenreNumberOf(tag);
    return values;
}

bool Id3v1Values::WriteTo(const std::string& path) const {
    ID3_Tag v1;
    // Parses nothing: the tag object only learns the path. id3lib finds an old ID3v1 tag to
    // overwrite by itself.
    v1.Link(path.c_str(), ID3TT_NONE);
    ID3_AddTitle(&v1, title.c_str(), true);
    ID3_AddArtist(&v1, artist.c_str(), true);
    ID3_AddAlbum(&v1, album.c_str(), true);
    ID3_AddYear(&v1, year.c_str(), true);
    ID3_AddComment(&v1, comment.c_str(), "", true);
    if (track > 0)
        ID3_AddTrack(&v1, static_cast<uchar>(track), 0, true);
    if (genre < GenreTable::kNoGenre)
        ID3_AddGenre(&v1, genre, true);
    return (v1.Update(ID3TT_ID3V1) & ID3TT_ID3V1) != 0;
}
