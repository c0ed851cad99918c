#include "Id3v2Renderer.h"

#include "Id3Inspector.h"
#include "Id3StringWriter.h"

#include <id3/tag.h>

#include <cctype>
#include <memory>

namespace {

constexpr std::uint64_t kHeaderSize = 10;
constexpr std::uint64_t kFileSizeMultiple = 2048;

std::uint64_t PaddedDataSize(std::uint64_t frameBytes, const TagLayout& layout) {
    if (layout.tagSize > kHeaderSize) {
        const std::uint64_t room = layout.tagSize - kHeaderSize;
        if (room >= frameBytes)
            return room;
    }
    const std::uint64_t rest = layout.fileSize - layout.tagSize;
    const std::uint64_t fileSize = kHeaderSize + frameBytes + rest;
    return (fileSize / kFileSizeMultiple + 1) * kFileSizeMultiple - rest - kHeaderSize;
}

std::string MimeTypeOf(std::string imageFormat) {
    for (char& c : imageFormat)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (imageFormat == "jpg")
        return "image/jpeg";
    if (imageFormat == "-->")
        return imageFormat; // the picture is a link
    return "image/" + imageFormat;
}

// id3lib renders every frame under a version 3 header but lays out the fields of frames read
// from a version 2 tag the version 2 way: a picture's three-letter image format would stand
// where a MIME type belongs and the picture would be lost. So those frames become version 3
// frames first, the image format turned into its MIME type.
void MakeVersion3Frames(ID3_Tag& tag) {
    std::unique_ptr<ID3_Tag::Iterator> frames(tag.CreateIterator());
    while (ID3_Frame* frame = frames->GetNext()) {
        if (frame->GetSpec() >= ID3V2_3_0)
            continue;
        const ID3_Field* format = frame->GetField(ID3FN_IMAGEFORMAT);
        ID3_Field* mimeType = frame->GetField(ID3FN_MIMETYPE);
        if (frame->GetID() == ID3FID_PICTURE && format && mimeType && format->GetRawText())
            mimeType->Set(MimeTypeOf(std::string(format->GetRawText(), format->Size())).c_str());
        frame->SetSpec(ID3V2_3_0);
    }
}

} // namespace

std::string Id3v2Renderer::Render(ID3_Tag& tag, const TagLayout& layout) {
    MakeVersion3Frames(tag);
    Id3StringWriter writer;
    tag.Render(writer, ID3TT_ID3V2);
    if (writer.Bytes().empty())
        return {}; // no frames, no tag
    // id3lib renders through a copy of the tag that knows no file and pads it to 2 KB on its
    // own; the walk finds where the frames end. A tag this program would not load again is
    // left as id3lib rendered it, for the Save's read-back to refuse.
    const TagInspection rendered = Id3Inspector::InspectTag(writer.Bytes());
    if (!rendered.Accepted())
        return writer.Bytes();
    std::string bytes = writer.Bytes();
    const std::uint64_t frameBytes = bytes.size() - kHeaderSize - rendered.layout.paddingSize;
    const std::uint64_t dataSize = PaddedDataSize(frameBytes, layout);
    bytes.resize(kHeaderSize + dataSize, '\0');
    // The header's size: 28 bits, 7 to a byte.
    for (int i = 0; i < 4; ++i)
        bytes[9 - i] = static_cast<char>((dataSize >> (7 * i)) & 0x7F);
    return bytes;
}
