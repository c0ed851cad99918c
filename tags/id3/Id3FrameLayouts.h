#pragma once

#include <string>
#include <vector>

// The fields of each kind of ID3v2.3 frame, in order, and the names version 2.2 gives the kinds.
namespace Id3FrameLayouts {

enum class Field {
    Encoding,    // one byte: the encoding of the Encoded* fields after it
    Byte,        // a one-byte number
    Counter,     // a four-byte number
    Code3,       // three fixed characters (language, image format, version 2 link id)
    Code4,       // four fixed characters (version 3 link id)
    Latin1Cstr,  // ISO-8859-1 text ending in a NUL
    EncodedCstr, // text in the frame's encoding ending in a NUL of its width
    Latin1Rest,  // ISO-8859-1 text filling the rest of the frame
    EncodedRest, // text in the frame's encoding filling the rest of the frame
    EncodedList, // NUL-separated texts in the frame's encoding filling the rest
    Binary,      // bytes filling the rest of the frame
};

using Layout = std::vector<Field>;

// As id3lib 3.8.3 parses a frame of that id: plain bytes for a kind it does not know.
const Layout& AsId3libParses(const std::string& id);
// As the ID3v2 standards define the frame, id3lib or not: a text or link frame id3lib does not
// know (TSOP, TCMP, GRP1, WFED, ...) still holds encoded text or a link. Plain bytes when the
// kind is unknown.
const Layout& AsDefined(const std::string& id);

// The ID3v2.3 id of an ID3v2.2 frame id3lib or iTunes writes; empty when there is none.
std::string V23IdOfV22(const std::string& v22Id);

} // namespace Id3FrameLayouts
