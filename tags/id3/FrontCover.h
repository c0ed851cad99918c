#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The picture the form shows as a file's cover, among a tag's frames in their ID3v2.3 form: the
// first APIC frame of type 3 ("Cover (front)"), else the first picture of any type, as players
// choose it.
namespace FrontCover {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

// Its index in FRAMES; npos when no frame is a picture.
std::size_t Find(const std::vector<std::string>& frames);

} // namespace FrontCover
