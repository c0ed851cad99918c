#include "Id3v2Renderer.h"

#include "Id3StringWriter.h"

#include <id3/tag.h>

namespace {

constexpr std::uint64_t kHeaderSize = 10;
constexpr std::uint64_t kMaxSpareRoom = 4096;
constexpr std::uint64_t kFileSizeMultiple = 2048;

std::uint64_t PaddedDataSize(std::uint64_t frameBytes, const TagLayout& layout) {
    if (layout.tagSize > kHeaderSize) {
        const std::uint64_t room = layout.tagSize - kHeaderSize;
        if (room >= frameBytes && room - frameBytes < kMaxSpareRoom)
            return room;
    }
    const std::uint64_t rest = layout.fileSize - layout.tagSize;
    const std::uint64_t fileSize = kHeaderSize + frameBytes + rest;
    return (fileSize / kFileSizeMultiple + 1) * kFileSizeMultiple - rest - kHeaderSize;
}

} // namespace

std::string Id3v2Renderer::Render(ID3_Tag& tag, const TagLayout& layout) {
    tag.SetPadding(false);
    Id3StringWriter writer;
    tag.Render(writer, ID3TT_ID3V2);
    std::string bytes = writer.Bytes();
    if (bytes.size() <= kHeaderSize)
        return {};
    const std::uint64_t frameBytes = bytes.size() - kHeaderSize;
    const std::uint64_t dataSize = PaddedDataSize(frameBytes, layout);
    bytes.append(dataSize - frameBytes, '\0');
    // The header's size: 28 bits, 7 to a byte.
    for (int i = 0; i < 4; ++i)
        bytes[9 - i] = static_cast<char>((dataSize >> (7 * i)) & 0x7F);
    return bytes;
}
