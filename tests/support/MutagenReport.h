#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What Debian's python3-mutagen, a reader independent of id3lib, finds in a file. Texts are UTF-8.
struct MutagenReport {
    struct Frame {
        std::string id;       // as mutagen names it (ID3v2.2 ids come out as their v2.3 names)
        int encoding = -1;    // -1 for frames without an encoding byte
        std::string language; // COMM only
        std::string description;
        std::string text; // several values joined with '/'
    };

    bool hasId3v2 = false;
    int id3v2Major = 0;
    std::size_t id3v2Size = 0; // the whole tag: header, frames and padding
    std::vector<Frame> frames; // in the order mutagen lists them
    bool hasId3v1 = false;
    std::vector<Frame> id3v1; // TIT2, TPE1, TALB, TDRC, COMM, TCON, TRCK as mutagen maps them
    std::size_t fileSize = 0;
    std::string error; // non-empty when python or mutagen failed

    // Reads PATH with /usr/bin/python3 and mutagen.
    static MutagenReport Read(const std::string& path);

    // Empty when the file at PATH is what a Save must leave: an ID3v2.3 tag at the start, a
    // 128-byte ID3v1 tag at the end, and exactly AUDIO between them; otherwise what is wrong.
    std::string CheckSavedLayout(const std::string& path,
                                 const std::vector<std::uint8_t>& audio) const;

    std::vector<Frame> All(const std::string& id) const;
    // The text of the only frame of that kind; "<missing>" or "<several>" otherwise.
    std::string Text(const std::string& id) const;
    std::string Id3v1Text(const std::string& id) const;
};
