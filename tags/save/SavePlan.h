#pragma once

#include "FileIdentity.h"
#include "TagLayout.h"

#include <string>
#include <utility>

class PosixFile;

// A Save as TagFileWriter has prepared it, holding the file's lock: the file as found (and as
// expected), and the tags to write into it.
struct SavePlan {
    // A plan to write the tags ID3V1 (and, once the layout is known, id3v2) into TARGET, which
    // SOURCE holds open and locked.
    SavePlan(std::string target, const PosixFile& source, std::string id3v1)
        : target(std::move(target)), source(source), id3v1(std::move(id3v1)) {}

    std::string target;      // the real path, symbolic links resolved
    const PosixFile& source; // the file, open for reading and locked by this Save
    FileIdentity identity;   // the file as found, as it must still be when it is written
    TagLayout layout;
    std::string oldId3v2; // the ID3v2 tag as the file holds it; empty when none
    std::string oldId3v1; // the ID3v1 tag as the file holds it; empty when none
    std::string id3v2;    // the new ID3v2 tag; empty for none
    std::string id3v1;    // the new ID3v1 tag

    // The last look before the file is written or replaced, for programs that do not take the
    // lock: FILE (open on the target) is still as found, and the target still names it.
    bool StillAsFound(const PosixFile& file) const;
};
