#pragma once

#include <cstddef>
#include <memory>
#include <string>

// A picture of a tag (an APIC frame) as the form holds it: its MIME type, its ID3 picture type
// and its bytes exactly as stored. The bytes are shared, not copied, as the form's values pass
// between the window, the session and the tag: a cover may be megabytes.
struct CoverPicture {
    static constexpr int kFrontCover = 3; // the ID3 picture type "Cover (front)"

    std::string mimeType;
    int pictureType = kFrontCover;
    std::shared_ptr<const std::string> bytes = std::make_shared<const std::string>();

    std::size_t Size() const { return bytes->size(); }

    bool operator==(const CoverPicture& other) const {
        return mimeType == other.mimeType && pictureType == other.pictureType &&
               (bytes == other.bytes || *bytes == *other.bytes);
    }
    bool operator!=(const CoverPicture& other) const { return !(*this == other); }
};
