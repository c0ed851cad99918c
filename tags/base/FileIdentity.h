#pragma once

#include <cstdint>
#include <sys/stat.h>

// What tells that a file is still the one seen before: the same file on the same device, with
// the same size and modification time. A Save compares it (with the tag bytes) to refuse a file
// another program changed after it was loaded, and a rollback journal records it to find its
// file again.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    static FileIdentity Of(const struct stat& status);

    bool SameFileAs(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    bool operator==(const FileIdentity& other) const {
        return SameFileAs(other) && size == other.size &&
               modifiedSeconds == other.modifiedSeconds &&
               modifiedNanoseconds == other.modifiedNanoseconds;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};
