#include "UnicodeText.h"

namespace UnicodeText {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The code point starting at AT; AT moves past it. A malformed sequence is one U+FFFD for its
// first byte, so the bytes after it are read afresh.
char32_t DecodeOne(std::string_view utf8, std::size_t& at, bool* malformed = nullptr) {
    const auto lead = static_cast<unsigned char>(utf8[at++]);
    if (lead < 0x80)
        return lead;
    const auto bad = [malformed] {
        if (malformed)
            *malformed = true;
        return kReplacement;
    };
    int length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return bad();
    }
    if (utf8.size() - at < static_cast<std::size_t>(length))
        return bad();
    for (int i = 0; i < length; ++i) {
        const auto next = static_cast<unsigned char>(utf8[at + i]);
        if ((next & 0xC0) != 0x80)
            return bad();
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || IsSurrogate(c))
        return bad();
    at += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || IsSurrogate(c))
        c = kReplacement;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

bool IsValidUtf8(std::string_view utf8) {
    bool malformed = false;
    for (std::size_t at = 0; at < utf8.size() && !malformed;)
        DecodeOne(utf8, at, &malformed);
    return !malformed;
}

std::optional<char32_t> NextCodePoint(std::string_view utf8, std::size_t& at) {
    bool malformed = false;
    const char32_t c = DecodeOne(utf8, at, &malformed);
    if (malformed)
        return std::nullopt;
    return c;
}

std::size_t CodePointCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count)
        DecodeOne(utf8, at);
    return count;
}

std::u32string ToCodePoints(std::string_view utf8) {
    std::u32string codePoints;
    codePoints.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();)
        codePoints.push_back(DecodeOne(utf8, at));
    return codePoints;
}

std::string FromCodePoints(std::u32string_view codePoints) {
    std::string utf8;
    utf8.reserve(codePoints.size());
    for (char32_t c : codePoints)
        AppendUtf8(utf8, c);
    return utf8;
}

std::u16string ToUtf16(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (char32_t c : ToCodePoints(utf8)) {
        if (c < 0x10000) {
            utf16.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            utf16.push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
        }
    }
    return utf16;
}

std::string FromUtf16(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        AppendUtf8(utf8, c); // a lone surrogate becomes U+FFFD there
    }
    return utf8;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string FromLatin1(std::string_view latin1) {
    if (IsAscii(latin1))
        return std::string(latin1);
    std::string utf8;
    utf8.reserve(latin1.size());
    for (unsigned char c : latin1)
        AppendUtf8(utf8, c);
    return utf8;
}

std::optional<std::string> ToLatin1(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string latin1;
    latin1.reserve(utf8.size());
    for (char32_t c : ToCodePoints(utf8)) {
        if (c > 0xFF)
            return std::nullopt;
        latin1.push_back(static_cast<char>(c));
    }
    return latin1;
}

std::string ToLatin1Lossy(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string latin1;
    latin1.reserve(utf8.size());
    for (char32_t c : ToCodePoints(utf8))
        latin1.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    return latin1;
}

} // namespace UnicodeText
