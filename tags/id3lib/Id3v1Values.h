#pragma once

#include "FieldTable.h"

#include <string>
#include <vector>

// What an ID3v1 tag carries, texts in UTF-8. Taken from the frames of a tag as id3lib's own ID3v1
// writer takes it: the first title, artist (lead performer, else band, conductor or composer),
// album and year frames, the first track number when it is 1 to 255 and the genre; the comment
// described "ID3v1 Comment", else the comment the form shows (never iTunes' machine data).
//
// The ID3v1 tag is written from these values through a second tag object rather than by
// Update(ID3TT_ID3) on the editor's own: id3lib's ID3v1 writer converts the frames it reads to
// ISO-8859-1 in place, which would damage UTF-16 frames for the next Save of the same link.
struct Id3v1Values {
    std::string title, artist, album, year, comment;
    unsigned track = 0;
    unsigned genre = 255;

    // FRAMES as an ID3v2.3 tag holds them, header and body.
    static Id3v1Values Of(const std::vector<std::string>& frames);
    // The value at PLACE as the form shows it: a text, a track number, a genre number; empty
    // when the tag has none there.
    std::string TextAt(FieldTable::Id3v1Place place) const;
    // The values of the 128 bytes of an ID3v1 or ID3v1.1 tag.
    static Id3v1Values Parse(const std::string& bytes);

    // The 128 bytes of the ID3v1 tag, as id3lib's ID3v1 writer renders them: ISO-8859-1, "?"
    // for each character it cannot hold, each text cut to its field.
    std::string Render() const;
};
