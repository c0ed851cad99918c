#pragma once

#include "TagLayout.h"

#include <string>

class ID3_Tag;

// Renders a tag object as the ID3v2 tag at the start of a file laid out as LAYOUT, padded to
// fill the old tag's room whenever the frames fit in it, however much room is left over: a tag
// of the same size is written in place, while a smaller one would mean writing the whole file
// anew. A tag that does not fit is padded as id3lib pads it, so that the whole file ends on a
// 2 KB boundary. The choice is based on the file as it is now, not as it was linked.
class Id3v2Renderer {
public:
    // Empty when TAG holds no frame.
    static std::string Render(ID3_Tag& tag, const TagLayout& layout);
};
