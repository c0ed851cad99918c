#include "PictureFrame.h"

#include "Id3Text.h"
#include "Id3v23Frame.h"

std::optional<PictureFrame> PictureFrame::Read(std::string_view frame) {
    constexpr std::size_t kHeader = Id3v23Frame::kHeaderSize;
    if (frame.size() < kHeader || frame.substr(0, 4) != "APIC")
        return std::nullopt;
    const std::string_view body = frame.substr(kHeader);
    if (body.empty())
        return std::nullopt;
    const auto encoding = static_cast<std::uint8_t>(body[0]);
    if (!Id3Text::IsKnownEncoding(encoding))
        return std::nullopt;
    const std::size_t mimeEnd = Id3Text::FindTerminator(Id3Text::kLatin1, body, 1);
    if (mimeEnd == std::string_view::npos || mimeEnd + 1 >= body.size())
        return std::nullopt;
    const std::size_t descriptionAt = mimeEnd + 2; // past the NUL and the picture type
    const std::size_t descriptionEnd = Id3Text::FindTerminator(encoding, body, descriptionAt);
    if (descriptionEnd == std::string_view::npos)
        return std::nullopt;
    PictureFrame picture;
    picture.mimeType = std::string(body.substr(1, mimeEnd - 1));
    picture.pictureType = static_cast<unsigned char>(body[mimeEnd + 1]);
    picture.dataOffset = kHeader + descriptionEnd + Id3Text::UnitWidth(encoding);
    return picture;
}

std::string PictureFrame::StandIn(const std::string& frame) {
    const std::optional<PictureFrame> picture = Read(frame);
    if (!picture)
        return frame;
    std::string standIn = frame.substr(0, picture->dataOffset);
    const auto size = static_cast<std::uint32_t>(standIn.size() - Id3v23Frame::kHeaderSize);
    for (int i = 0; i < 4; ++i)
        standIn[4 + i] = static_cast<char>((size >> (24 - 8 * i)) & 0xFF);
    return standIn;
}
