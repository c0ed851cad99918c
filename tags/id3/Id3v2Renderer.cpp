#include "Id3v2Renderer.h"
#include "Id3Sizes.h"

namespace {

constexpr std::uint64_t kFileSizeMultiple = 2048;

std::uint64_t PaddedDataSize(std::uint64_t frameBytes, const TagLayout& layout) {
    if (layout.tagSize > Id3Sizes::kId3v2Header) {
        const std::uint64_t room = layout.tagSize - Id3Sizes::kId3v2Header;
        if (room >= frameBytes)
            return room;
    }
    const std::uint64_t rest = layout.fileSize - layout.tagSize;
    const std::uint64_t fileSize = Id3Sizes::kId3v2Header + frameBytes + rest;
    return (fileSize / kFileSizeMultiple + 1) * kFileSizeMultiple - rest - Id3Sizes::kId3v2Header;
}

std::uint64_t SizeOf(const std::vector<std::string>& frames) {
    std::uint64_t size = 0;
    for (const std::string& frame : frames)
        size += frame.size();
    return size;
}

} // namespace

std::string Id3v2Renderer::Render(const std::vector<std::string>& frames, const TagLayout& layout) {
    if (frames.empty())
        return {}; // no frames, no tag
    const std::uint64_t frameBytes = SizeOf(frames);
    return Tag(frames, PaddedDataSize(frameBytes, layout) - frameBytes);
}

std::string Id3v2Renderer::Tag(const std::vector<std::string>& frames, std::uint64_t padding) {
    const std::uint64_t dataSize = SizeOf(frames) + padding;
    std::string bytes("ID3\x03\x00\x00", 6);
    // The size: 28 bits, 7 to a byte.
    for (int i = 3; i >= 0; --i)
        bytes.push_back(static_cast<char>((dataSize >> (7 * i)) & 0x7F));
    bytes.reserve(Id3Sizes::kId3v2Header + dataSize);
    for (const std::string& frame : frames)
        bytes += frame;
    bytes.append(padding, '\0');
    return bytes;
}
