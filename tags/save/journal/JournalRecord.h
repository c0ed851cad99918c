#pragma once

#include "FileIdentity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a rollback journal holds: which file an in-place Save wrote, what the file was before,
// and the old and new bytes of every region the Save changes.
//
// Stored as a text line naming the format, then little-endian fields, then a CRC-32 of all that
// came before it. A journal that is cut short or damaged does not decode: it was being written
// when its process died, before the file was touched, so there is nothing to put back.
struct JournalRecord {
    struct Region {
        std::uint64_t offset = 0;
        // The bytes there before the Save. Shorter than newBytes only for a region that runs
        // past the old end of the file (an ID3v1 tag added at the end).
        std::string oldBytes;
        std::string newBytes;
    };

    std::string path; // the file's real path, symbolic links resolved
    FileIdentity before;
    std::uint64_t sizeAfter = 0;
    std::vector<Region> regions;

    std::string Encode() const;
    static std::optional<JournalRecord> Decode(const std::string& bytes);
};
