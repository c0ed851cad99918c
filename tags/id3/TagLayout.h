#pragma once

#include <cstdint>

// Where a file's tags and audio lie, as far as a Save needs to know. The audio is every byte
// between the ID3v2 tag and a trailing ID3v1 tag, zeros right after the ID3v2 tag included.
struct TagLayout {
    std::uint64_t fileSize = 0;
    std::uint64_t tagSize = 0;    // the ID3v2 tag at the start, header included; 0 when none
    std::uint64_t audioBegin = 0; // == tagSize
    std::uint64_t audioEnd = 0;   // where the ID3v1 tag starts, or fileSize when there is none
    bool hasId3v1 = false;

    std::uint64_t AudioSize() const { return audioEnd - audioBegin; }
};
