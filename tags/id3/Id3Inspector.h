#pragma once

#include "TagInspection.h"

#include <string>

class PosixFile;

// Reads a file's ID3v2 tag of any version before id3lib sees it: walks the header and the frames
// within strict bounds, never trusting a declared size, turns them into the ID3v2.3 frames id3lib
// edits, and refuses what id3lib would crash on, loop on or misread, and what could not be
// written back without losing its meaning. It also measures where the tags and the audio lie,
// which a Save needs, and reads the ID3v1 tag at the end.
class Id3Inspector {
public:
    // Opens PATH only when it is a regular file, without blocking, and inspects it.
    static TagInspection Inspect(const std::string& path);
    // Inspects an open regular file from its start.
    static TagInspection Inspect(const PosixFile& file);
};
