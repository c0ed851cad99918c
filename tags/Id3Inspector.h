#pragma once

#include "TagInspection.h"

#include <string>

class PosixFile;

// Decides, before id3lib sees a file, whether id3lib 3.8.3 can be given its ID3v2 tag: it reads
// the header and walks the frames within strict bounds, never trusting a declared size, and
// refuses what id3lib would crash on, loop on, misread or write back damaged. It also measures
// where the tags and the audio lie, which a Save needs.
class Id3Inspector {
public:
    // Largest tag accepted: far beyond any real one, small enough to hold in memory.
    static constexpr std::uint64_t kMaxTagSize = 64ull << 20;
    static constexpr std::size_t kMaxFrames = 1000;

    // Opens PATH only when it is a regular file, without blocking, and inspects it.
    static TagInspection Inspect(const std::string& path);
    // Inspects an open regular file from its start.
    static TagInspection Inspect(const PosixFile& file);
    // Walks a whole ID3v2 tag held in memory, header included; its layout is the tag's alone.
    static TagInspection InspectTag(std::string tagBytes);
};
