#pragma once

#include "SaveResult.h"
#include "TagLayout.h"

#include <functional>
#include <string>

// Writes new tags around a file's audio so that the file is either wholly the old one or
// wholly the new one: the new file is built beside the old one, synced, read back and only
// then renamed over it. The audio bytes are copied untouched; a symbolic link stays a link
// (its target is written); mode, owner and access control lists are kept; a missing file is never
// created.
class TagFileWriter {
public:
    // The ID3v2 tag to write, built for the file as it is laid out now; empty for none.
    using Id3v2Source = std::function<std::string(const TagLayout&)>;

    static SaveResult Write(const std::string& path, const Id3v2Source& id3v2,
                            const std::string& id3v1);
};
