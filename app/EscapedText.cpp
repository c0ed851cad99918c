#include "EscapedText.h"

#include <cstdio>

namespace EscapedText {
namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at TEXT[AT], and its code point; 0 when the bytes
// there are not one (a stray continuation byte, an overlong form, a surrogate, a cut sequence).
std::size_t SequenceAt(const std::string& text, std::size_t at, char32_t* code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t low = 0;
    if (lead < 0x80) {
        *code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        low = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(byte(i)))
            return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < low || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return length;
}

void AppendCode(std::string& out, const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

} // namespace

std::string Of(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = SequenceAt(text, at, &code);
        if (length == 0) {
            AppendCode(out, "\\x%02X", static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        if (code == '\\')
            out += "\\\\";
        else if (code == '\n')
            out += "\\n";
        else if (code == '\t')
            out += "\\t";
        else if (code == '\r')
            out += "\\r";
        else if (code < 0x20 || code == 0x7F)
            AppendCode(out, "\\x%02X", static_cast<unsigned>(code));
        else if ((code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029)
            AppendCode(out, "\\u%04X", static_cast<unsigned>(code));
        else
            out.append(text, at, length);
        at += length;
    }
    return out;
}

} // namespace EscapedText
