#pragma once

#include "TagLayout.h"

#include <cstdint>
#include <string>
#include <vector>

// Puts ID3v2.3 frames together into the tag at the start of a file.
class Id3v2Renderer {
public:
    // The tag for a file laid out as LAYOUT, padded to fill the old tag's room whenever the
    // frames fit in it, however much room is left over: a tag of the same size is written in
    // place, while a smaller one would mean writing the whole file anew. A tag that does not
    // fit is padded as id3lib pads it, so that the whole file ends on a 2 KB boundary. The
    // choice is based on the file as it is now, not as it was linked. Empty when there are no
    // frames.
    static std::string Render(const std::vector<std::string>& frames, const TagLayout& layout);
    // FRAMES under an ID3v2.3 header, followed by PADDING zero bytes.
    static std::string Tag(const std::vector<std::string>& frames, std::uint64_t padding);
};
