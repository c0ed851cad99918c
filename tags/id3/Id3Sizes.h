#pragma once

#include <cstdint>

// The fixed sizes of the ID3 formats, and the largest ID3v2 tag this program takes.
namespace Id3Sizes {
constexpr std::uint64_t kId3v2Header = 10;
constexpr std::uint64_t kId3v2Footer = 10; // version 2.4 only
constexpr std::uint64_t kId3v1Tag = 128;
// A declared size past this is taken for damage; it also bounds what a journal may hold.
constexpr std::uint64_t kLargestId3v2Tag = 64ull << 20;
} // namespace Id3Sizes
