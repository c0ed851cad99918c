#pragma once

#include <string>

class PosixFile;

// Tells an MP3 from other files by what they hold, so that a picture, a text or another kind of
// audio file named or dropped by mistake is never given tags. A file is an MP3 when, after any
// ID3v2 tag, MPEG audio frames follow: a valid frame header, and another where that header says
// the next frame starts. A file named .mp3 that holds an ID3v2 or ID3v1 tag counts too, so that
// a file whose audio this check does not recognise can still be tagged.
class Mp3Content {
public:
    // Empty when the file at PATH is an MP3; otherwise why not, in plain words for a user.
    static std::string Problem(const std::string& path);
    // The same for FILE, open for reading, whose name is NAME.
    static std::string Problem(const PosixFile& file, const std::string& name);
};
