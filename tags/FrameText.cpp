#include "FrameText.h"

#include <id3/tag.h>

#include <cstdint>

namespace {

constexpr char kUnrepresentable = '?';

// Trailing NULs are terminators; a NUL before other text starts a second value the form
// cannot show.
std::size_t EndOfFirstValue(const char* text, std::size_t size, bool* more) {
    std::size_t end = 0;
    while (end < size && text[end] != '\0')
        ++end;
    *more = false;
    for (std::size_t i = end; i < size; ++i)
        if (text[i] != '\0')
            *more = true;
    return end;
}

FrameText FromLatin1(const ID3_Field& field) {
    FrameText result;
    const char* raw = field.GetRawText();
    if (!raw)
        return result;
    bool more = false;
    result.latin1.assign(raw, EndOfFirstValue(raw, field.Size(), &more));
    result.lossless = !more;
    return result;
}

// id3lib keeps UTF-16 text as big-endian byte pairs whatever the byte order in the file, so
// read bytes rather than unicode_t values, whose meaning depends on the machine's byte order.
FrameText FromUtf16(const ID3_Field& field) {
    FrameText result;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(field.GetRawUnicodeText());
    if (!bytes)
        return result;
    const std::size_t units = field.Size() / 2;
    std::size_t i = 0;
    for (; i < units; ++i) {
        const unsigned unit = (bytes[2 * i] << 8) | bytes[2 * i + 1];
        if (unit == 0)
            break;
        if (unit <= 0xFF) {
            result.latin1.push_back(static_cast<char>(unit));
            continue;
        }
        result.lossless = false;
        result.latin1.push_back(kUnrepresentable);
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 1 < units) {
            const unsigned next = (bytes[2 * i + 2] << 8) | bytes[2 * i + 3];
            if (next >= 0xDC00 && next <= 0xDFFF)
                ++i; // one character, one "?"
        }
    }
    for (; i < units; ++i)
        if (bytes[2 * i] != 0 || bytes[2 * i + 1] != 0)
            result.lossless = false;
    return result;
}

} // namespace

FrameText FrameText::Of(const ID3_Frame& frame, ID3_FieldID fieldId) {
    const ID3_Field* field = frame.GetField(fieldId);
    if (!field)
        return {};
    switch (field->GetEncoding()) {
    case ID3TE_ISO8859_1:
        return FromLatin1(*field);
    case ID3TE_UTF16:
        return FromUtf16(*field);
    default:
        // id3lib 3.8.3 hands back neither the bytes of UTF-8 text nor those of UTF-16 text
        // without a byte order mark: show nothing and keep the frame as it is.
        return {std::string(), false};
    }
}
