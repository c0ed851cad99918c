#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a folder brings where files are expected: the MP3s below it, for the window and the CLI
// alike, so both pass over the same other files.
namespace Mp3Folder {

// The MP3s at any depth below FOLDER, in path order, at most MAXCOUNT of them.
std::vector<std::string> Mp3sBelow(const std::string& folder, std::size_t maxCount = SIZE_MAX);

// Whether the file at PATH is one a folder brings.
bool IsMp3(const std::string& path);

} // namespace Mp3Folder
