#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// An APIC frame as an ID3v2.3 tag holds it, header included, read without copying its picture:
// encoding, MIME type, picture type, description, then the picture's bytes to the frame's end.
struct PictureFrame {
    std::string mimeType;
    int pictureType = 0;
    std::size_t dataOffset = 0; // where the picture's bytes begin within the frame

    // Empty optional for any other frame, or a picture frame whose fields are cut short.
    static std::optional<PictureFrame> Read(std::string_view frame);
    // FRAME with its picture's bytes left out when it is a picture frame, otherwise as it is.
    // id3lib is given this in place of the frame: it never needs the picture, which a Save
    // writes back from the file's own bytes, and copying megabytes through its parser is what
    // made showing a file with a large cover slow.
    static std::string StandIn(const std::string& frame);

    std::string_view Data(std::string_view frame) const { return frame.substr(dataOffset); }
};
