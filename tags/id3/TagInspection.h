#pragma once

#include "FileIdentity.h"
#include "TagLayout.h"

#include <string>
#include <vector>

// What Id3Inspector found out about one file.
struct TagInspection {
    // Empty when id3lib may be given the tag (or the file has none); otherwise why not, in
    // plain words for a user.
    std::string problem;
    // Why the file could not be opened or read, as the system put it; empty when it could.
    std::string readError;
    TagLayout layout;
    FileIdentity identity; // the file as it was when it was inspected
    std::string tagBytes;  // the ID3v2 tag exactly as the file holds it; empty when none
    // The tag's frames as an ID3v2.3 tag holds them (see Id3v23Conversion), header included
    // and in the tag's order: what id3lib is given, each frame checked for it. When the tag is
    // refused, the frames that could still be read, for showing only.
    std::vector<std::string> frames;
    std::string id3v1; // the 128 bytes of the ID3v1 tag at the end; empty when there is none

    bool Accepted() const { return problem.empty(); }
};
