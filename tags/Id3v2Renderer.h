#pragma once

#include "TagLayout.h"

#include <cstdint>
#include <string>
#include <vector>

// Puts ID3v2.3 frames together into the tag at the start of a file.
class Id3v2Renderer {
public:
    // The tag for a file laid out as LAYOUT, padded the way id3lib pads it on Update: into the
    // old tag's room when the frames fit with less than 4 KB to spare, otherwise so that the
    // whole file ends on a 2 KB boundary. id3lib bases that choice on the file as it was
    // linked; this bases it on the file as it is now. Empty when there are no frames.
    static std::string Render(const std::vector<std::string>& frames, const TagLayout& layout);
    // FRAMES under an ID3v2.3 header, followed by PADDING zero bytes.
    static std::string Tag(const std::vector<std::string>& frames, std::uint64_t padding);
};
