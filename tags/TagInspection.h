#pragma once

#include "FileIdentity.h"
#include "TagLayout.h"

#include <cstddef>
#include <string>

// What Id3Inspector found out about one file.
struct TagInspection {
    // Empty when id3lib may be given the tag (or the file has none); otherwise why not, in
    // plain words for a user.
    std::string problem;
    // Why the file could not be opened or read, as the system put it; empty when it could.
    std::string readError;
    TagLayout layout;
    FileIdentity identity;      // the file as it was when it was inspected
    std::string tagBytes;       // the ID3v2 tag exactly as the file holds it; empty when none
    std::size_t frameCount = 0; // frames id3lib will find in it

    bool Accepted() const { return problem.empty(); }
};
