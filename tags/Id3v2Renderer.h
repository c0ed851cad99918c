#pragma once

#include "TagLayout.h"

#include <string>

class ID3_Tag;

// Renders a tag object as the ID3v2 tag at the start of a file laid out as LAYOUT, padded the
// way id3lib pads it on Update: into the old tag's room when the frames fit with less than
// 4 KB to spare, otherwise so that the whole file ends on a 2 KB boundary. id3lib bases that
// choice on the file as it was linked; this bases it on the file as it is now.
class Id3v2Renderer {
public:
    // Empty when TAG holds no frame.
    static std::string Render(ID3_Tag& tag, const TagLayout& layout);
};
