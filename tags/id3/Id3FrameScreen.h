#pragma once

#include <string>
#include <string_view>

// Checks the fields of one ID3v2.3 frame the way id3lib 3.8.3 will parse them, so that a frame
// id3lib would misread, run past, loop on or silently drop never reaches it.
class Id3FrameScreen {
public:
    // Empty when id3lib may parse the frame ID holding BODY; otherwise why not, in plain words.
    static std::string Check(const std::string& id, std::string_view body);
};
