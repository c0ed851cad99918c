#pragma once

#include "FileIdentity.h"
#include "SaveResult.h"
#include "TagLayout.h"

#include <functional>
#include <string>
#include <vector>

// Writes new tags around a file's audio so that the file holds either all of its old tags or
// all of the new ones, with its audio untouched:
// - in place, under a rollback journal, when the new ID3v2 tag fits the old one's room
//   (InPlaceTagWriter);
// - otherwise, or when no journal can be kept, as a new file renamed over the old one
//   (TagFileReplacement).
// A symbolic link stays a link (its target is written); a missing file is never created; a file
// another program changed after it was loaded is not written. The file's advisory lock (flock)
// is held throughout, so two Saves of this program never interleave.
class TagFileWriter {
public:
    // The ID3v2 tag to write, built for the file as it is laid out now; empty for none.
    using Id3v2Source = std::function<std::string(const TagLayout&)>;

    // The file as it was loaded, or as the last Save left it.
    struct Expected {
        FileIdentity identity;
        std::vector<std::string> id3v2Frames; // as TagInspection::frames has them
        std::string id3v1;                    // as TagInspection::id3v1 has it
    };

    // On success SAVED is the file as it is now, for the next Save to expect.
    static SaveResult Write(const std::string& path, const Expected& expected,
                            const Id3v2Source& id3v2, const std::string& id3v1,
                            FileIdentity* saved);
};
