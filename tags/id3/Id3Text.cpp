#include "Id3Text.h"

#include "UnicodeText.h"

namespace Id3Text {
namespace {

// Big-endian unless a byte order mark says otherwise: what UTF-16BE is, and how id3lib reads
// UTF-16 without a mark.
std::string DecodeUtf16(std::string_view bytes) {
    bool bigEndian = true;
    if (bytes.size() >= 2) {
        const auto first = static_cast<unsigned char>(bytes[0]);
        const auto second = static_cast<unsigned char>(bytes[1]);
        if (first == 0xFF && second == 0xFE) {
            bigEndian = false;
            bytes.remove_prefix(2);
        } else if (first == 0xFE && second == 0xFF) {
            bigEndian = true;
            bytes.remove_prefix(2);
        }
    }
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    // A dangling last byte is half a character: show that something was there.
    if (bytes.size() % 2 != 0)
        units.push_back(0xFFFD);
    return UnicodeText::FromUtf16(units);
}

} // namespace

bool IsKnownEncoding(std::uint8_t encoding) {
    return encoding <= kUtf8;
}

std::size_t UnitWidth(std::uint8_t encoding) {
    return encoding == kUtf16 || encoding == kUtf16Be ? 2 : 1;
}

std::string Decode(std::uint8_t encoding, std::string_view bytes) {
    switch (encoding) {
    case kLatin1:
        return UnicodeText::FromLatin1(bytes);
    case kUtf16:
    case kUtf16Be:
        return DecodeUtf16(bytes);
    default:
        if (UnicodeText::IsAscii(bytes))
            return std::string(bytes);
        return UnicodeText::FromCodePoints(UnicodeText::ToCodePoints(bytes));
    }
}

std::size_t FindTerminator(std::uint8_t encoding, std::string_view bytes, std::size_t at) {
    const std::size_t width = UnitWidth(encoding);
    for (; at + width <= bytes.size(); at += width)
        if (bytes[at] == 0 && (width == 1 || bytes[at + 1] == 0))
            return at;
    return std::string_view::npos;
}

std::vector<std::string> DecodeValues(std::uint8_t encoding, std::string_view bytes) {
    std::vector<std::string> values;
    const std::size_t width = UnitWidth(encoding);
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = FindTerminator(encoding, bytes, at);
        if (end == std::string_view::npos) {
            values.push_back(Decode(encoding, bytes.substr(at)));
            break;
        }
        values.push_back(Decode(encoding, bytes.substr(at, end - at)));
        at = end + width;
    }
    if (values.empty())
        values.emplace_back();
    return values;
}

std::optional<std::vector<std::string>> TextFrameValues(std::string_view body) {
    if (body.empty() || !IsKnownEncoding(static_cast<std::uint8_t>(body[0])))
        return std::nullopt;
    return DecodeValues(static_cast<std::uint8_t>(body[0]), body.substr(1));
}

std::string JoinValues(const std::vector<std::string>& values) {
    std::string joined;
    for (const std::string& value : values) {
        if (value.empty())
            continue;
        if (!joined.empty())
            joined += '/';
        joined += value;
    }
    return joined;
}

Encoding EncodingFor(const std::vector<std::string>& texts) {
    for (const std::string& text : texts)
        if (!UnicodeText::ToLatin1(text))
            return kUtf16;
    return kLatin1;
}

std::string Encode(Encoding encoding, std::string_view text, bool terminated) {
    std::string bytes;
    if (encoding == kLatin1) {
        bytes = UnicodeText::ToLatin1Lossy(text);
        if (terminated)
            bytes.push_back('\0');
        return bytes;
    }
    const std::u16string units = UnicodeText::ToUtf16(text);
    bytes.reserve(2 + 2 * units.size() + 2);
    bytes += "\xFF\xFE";
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    if (terminated)
        bytes.append(2, '\0');
    return bytes;
}

} // namespace Id3Text
