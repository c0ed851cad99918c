#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One frame as an ID3v2.3 tag holds it, with nothing packed: no compression, encryption,
// grouping or unsynchronisation, so its flags are only the frame's status flags. Held as the
// header and body together, so that its bytes can be handed on without copying its body again:
// a picture may be megabytes.
class Id3v23Frame {
public:
    static constexpr std::size_t kHeaderSize = 10;

    // ID is four letters or digits.
    Id3v23Frame(std::string_view id, std::uint16_t flags, std::string_view body) {
        m_bytes.reserve(kHeaderSize + body.size());
        m_bytes += id;
        const auto size = static_cast<std::uint32_t>(body.size());
        for (int shift = 24; shift >= 0; shift -= 8)
            m_bytes.push_back(static_cast<char>((size >> shift) & 0xFF));
        m_bytes.push_back(static_cast<char>(flags >> 8));
        m_bytes.push_back(static_cast<char>(flags & 0xFF));
        m_bytes += body;
    }

    std::string Id() const { return m_bytes.substr(0, 4); }
    std::uint16_t Flags() const {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(m_bytes[8]) << 8 |
                                          static_cast<unsigned char>(m_bytes[9]));
    }
    std::string_view Body() const { return std::string_view(m_bytes).substr(kHeaderSize); }

    // The frame's header and body.
    const std::string& Bytes() const& { return m_bytes; }
    std::string Bytes() && { return std::move(m_bytes); }

private:
    std::string m_bytes;
};
