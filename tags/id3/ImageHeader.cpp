#include "ImageHeader.h"

#include "Id3Numbers.h"

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::string_view kPngHeaderChunk("IHDR", 4);

ImageHeader ReadPng(std::string_view bytes) {
    // The signature, then IHDR first of all chunks: its length, name, width and height.
    constexpr std::size_t kHeaderEnd = 8 + 4 + 4 + 8;
    if (bytes.size() < kHeaderEnd || bytes.substr(12, 4) != kPngHeaderChunk)
        return {};
    const auto width = Id3Numbers::BigEndian(bytes.substr(16, 4));
    const auto height = Id3Numbers::BigEndian(bytes.substr(20, 4));
    // PNG caps both at 2^31 - 1; zero is not allowed.
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return {};
    return {ImageHeader::Format::Png, static_cast<int>(width), static_cast<int>(height)};
}

// The markers of a JPEG's frame headers (SOF0 to SOF15), except the three that are no frame
// header: DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameHeader(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments before the picture's data up to its first frame header, by their
// lengths, never past the bytes given.
ImageHeader ReadJpeg(std::string_view bytes) {
    std::size_t at = 2; // past the start-of-image marker
    while (at + 4 <= bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF)
            return {};
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) { // a fill byte before a marker
            ++at;
            continue;
        }
        // Start of scan or end of image before any frame header: there is none.
        if (marker == 0xDA || marker == 0xD9)
            return {};
        const std::size_t length = Id3Numbers::BigEndian(bytes.substr(at + 2, 2));
        if (length < 2)
            return {};
        if (IsFrameHeader(marker)) {
            // Length, precision, height, width.
            if (length < 7 || at + 9 > bytes.size())
                return {};
            const auto height = Id3Numbers::BigEndian(bytes.substr(at + 5, 2));
            const auto width = Id3Numbers::BigEndian(bytes.substr(at + 7, 2));
            // A height of 0 leaves it to a later marker (DNL), which hardly any reader
            // supports.
            if (width == 0 || height == 0)
                return {};
            return {ImageHeader::Format::Jpeg, static_cast<int>(width), static_cast<int>(height)};
        }
        at += 2 + length;
    }
    return {};
}

} // namespace

ImageHeader ImageHeader::Read(std::string_view bytes) {
    if (bytes.substr(0, kPngSignature.size()) == kPngSignature)
        return ReadPng(bytes);
    if (bytes.size() >= 3 && bytes.substr(0, 3) == std::string_view("\xFF\xD8\xFF", 3))
        return ReadJpeg(bytes);
    return {};
}

const char* ImageHeader::MimeType() const {
    switch (format) {
    case Format::Jpeg:
        return "image/jpeg";
    case Format::Png:
        return "image/png";
    case Format::None:
        break;
    }
    return "";
}
