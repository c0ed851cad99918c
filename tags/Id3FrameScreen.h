#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Checks the fields of one ID3v2.2 or ID3v2.3 frame the way id3lib 3.8.3 will parse them, so
// that a frame id3lib would misread, run past, loop on or silently drop never reaches it.
class Id3FrameScreen {
public:
    // Empty when id3lib may parse the frame ID (three letters in a version 2 tag, four in a
    // version 3 tag) holding DATA; otherwise why not, in plain words.
    static std::string Check(const std::string& id, unsigned majorVersion, const std::uint8_t* data,
                             std::size_t size);

    // True for the three-letter frame ids id3lib can write back: it gives any other an
    // unreadable four-letter id on Save, which hides every later frame.
    static bool IsWritableV22Id(const std::string& id);
};
