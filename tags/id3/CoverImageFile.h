#pragma once

#include "CoverPicture.h"

#include <string>

// A picture file the user gives as a new front cover, checked before anything is changed: a
// regular file of at most kMaxBytes holding a JPEG or PNG whose header can be read. Its bytes
// become the cover as they are, never re-encoded, its MIME type taken from its content.
struct CoverImageFile {
    static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

    CoverPicture picture;
    // Empty when the file may be the cover; otherwise why not, in plain words.
    std::string problem;

    static CoverImageFile Load(const std::string& path);
    // The check on bytes already read.
    static CoverImageFile FromBytes(std::string bytes);

    bool Accepted() const { return problem.empty(); }
};
