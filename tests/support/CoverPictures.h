#pragma once

#include <ostream>
#include <string>
#include <vector>

// Pictures for the cover tests: the first bytes of a JPEG or PNG of a given size, as the tag core
// reads them (nothing here decodes), and the pictures mutagen finds in a file.
namespace CoverPictures {

// A PNG's signature and IHDR chunk, then a few bytes of data.
std::string Png(int width, int height);
// A JPEG's start of image, a JFIF segment and a baseline frame header, then a few bytes.
std::string Jpeg(int width, int height);

struct Picture {
    int type = -1;
    std::string mime;
    std::string description; // UTF-8
    int encoding = -1;
    std::string data;

    bool operator==(const Picture& other) const {
        return type == other.type && mime == other.mime && description == other.description &&
               encoding == other.encoding && data == other.data;
    }
};

// For test failures: the fields, and the picture's size.
std::ostream& operator<<(std::ostream& out, const Picture& picture);

// Every APIC frame mutagen reads in PATH, in order (ID3v2.2 PIC frames as mutagen upgrades
// them); ERROR says what went wrong when python or mutagen failed.
std::vector<Picture> Read(const std::string& path, std::string* error);

} // namespace CoverPictures
