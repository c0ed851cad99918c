#pragma once

#include "Id3v23Frame.h"

#include <string>
#include <string_view>
#include <vector>

// Turns the frames of an ID3v2.2, 2.3 or 2.4 tag into the frames of an ID3v2.3 tag with the same
// meaning: the form every tag is given to id3lib in, and the form every Save writes.
//
// Frames keep their bytes wherever version 2.3 allows. Otherwise:
// - version 2.2 names become version 2.3 names, and a picture's image format its MIME type;
// - compression and unsynchronisation are undone;
// - UTF-8 and byte-order-less UTF-16 become ISO-8859-1 or UTF-16, and the several values of a
//   version 2.4 text are joined with "/";
// - TDRC becomes TYER, TDAT and TIME, and TDOR becomes TORY, unless the tag already holds
//   those; TIPL and TMCL become one IPLS; a version 2.4 genre becomes the "(n)" references
//   and text of version 2.3; the four kinds are converted in a version 2.3 tag too, where some
//   taggers put them;
// - the frames inside chapters (CHAP, CTOC) are converted the same way.
// A frame of size zero holds an empty value and is kept as it is. A frame that cannot be carried
// over without losing its meaning (encrypted, grouped, signed, pointing into the old layout, or
// of a version 2.2 kind with no version 2.3 name) refuses the whole tag, with the reason; the
// frames that could be converted are still given, for showing what can be read.
class Id3v23Conversion {
public:
    static constexpr std::size_t kMaxFrames = 1000;

    struct Result {
        std::vector<Id3v23Frame> frames;
        std::size_t paddingSize = 0; // bytes after the last frame
        std::string problem;         // empty when every frame was converted
    };

    // BODY is what follows the tag header and any extended header, with whole-tag
    // unsynchronisation undone for versions 2.2 and 2.3; UNSYNCHRONISED is the version 2.4
    // header's flag, which there applies to every frame.
    static Result Convert(unsigned majorVersion, std::string_view body, bool unsynchronised);

    // RAW with unsynchronisation undone: a 0x00 after a 0xFF is dropped.
    static std::string Resynchronised(std::string_view raw);
};
