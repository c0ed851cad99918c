#include "EscapedText.h"

#include "UnicodeText.h"

#include <cstdio>
#include <optional>

namespace EscapedText {
namespace {

void AppendCode(std::string& out, const char* format, unsigned value) {
    char buffer[16]; // room for any unsigned value the formats can print
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

} // namespace

std::string Of(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> code = UnicodeText::NextCodePoint(text, at);
        if (!code)
            AppendCode(out, "\\x%02X", static_cast<unsigned char>(text[start]));
        else if (*code == '\\')
            out += "\\\\";
        else if (*code == '\n')
            out += "\\n";
        else if (*code == '\t')
            out += "\\t";
        else if (*code == '\r')
            out += "\\r";
        else if (*code < 0x20 || *code == 0x7F)
            AppendCode(out, "\\x%02X", static_cast<unsigned>(*code));
        else if ((*code >= 0x80 && *code <= 0x9F) || *code == 0x2028 || *code == 0x2029)
            AppendCode(out, "\\u%04X", static_cast<unsigned>(*code));
        else
            out.append(text, start, at - start);
    }
    return out;
}

} // namespace EscapedText
