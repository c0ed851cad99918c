#pragma once

#include <cstdint>
#include <string_view>

// The numbers in ID3v2 headers: plain big-endian, or syncsafe, seven bits to a byte with the
// top bit clear, so that no run of them looks like the start of an MPEG frame.
namespace Id3Numbers {

inline std::uint32_t BigEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (unsigned char c : bytes)
        value = (value << 8) | c;
    return value;
}

inline bool IsSyncsafe(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c & 0x80)
            return false;
    return true;
}

// BYTES read seven bits to a byte, whether or not IsSyncsafe holds for them.
inline std::uint32_t Syncsafe(std::string_view bytes) {
    std::uint32_t value = 0;
    for (unsigned char c : bytes)
        value = (value << 7) | c;
    return value;
}

} // namespace Id3Numbers
