#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// A picture of a tag (an APIC frame) as the form holds it: its MIME type, its ID3 picture type
// and its bytes exactly as stored. The bytes are shared, not copied, as the form's values pass
// between the window, the session and the tag: a cover may be megabytes. A cover read from a
// file shares the very frame it was read from, its bytes starting where the frame's fields end.
struct CoverPicture {
    static constexpr int kFrontCover = 3; // the ID3 picture type "Cover (front)"

    std::string mimeType;
    int pictureType = kFrontCover;
    // Holds the picture's bytes from dataAt to its end.
    std::shared_ptr<const std::string> storage = std::make_shared<const std::string>();
    std::size_t dataAt = 0;

    std::string_view Bytes() const { return std::string_view(*storage).substr(dataAt); }
    std::size_t Size() const { return storage->size() - dataAt; }

    bool operator==(const CoverPicture& other) const {
        return mimeType == other.mimeType && pictureType == other.pictureType &&
               ((storage == other.storage && dataAt == other.dataAt) || Bytes() == other.Bytes());
    }
    bool operator!=(const CoverPicture& other) const { return !(*this == other); }
};
