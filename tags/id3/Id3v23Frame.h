#pragma once

#include <cstdint>
#include <string>

// One frame as an ID3v2.3 tag holds it, with nothing packed: no compression, encryption,
// grouping or unsynchronisation, so FLAGS holds only the frame's status flags.
struct Id3v23Frame {
    static constexpr std::size_t kHeaderSize = 10;

    std::string id; // four letters or digits
    std::uint16_t flags = 0;
    std::string body;

    // The frame's header and body.
    std::string Bytes() const {
        std::string bytes;
        bytes.reserve(kHeaderSize + body.size());
        bytes += id;
        const auto size = static_cast<std::uint32_t>(body.size());
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>((size >> shift) & 0xFF));
        bytes.push_back(static_cast<char>(flags >> 8));
        bytes.push_back(static_cast<char>(flags & 0xFF));
        bytes += body;
        return bytes;
    }
};
