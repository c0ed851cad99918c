#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the encodings a tag holds and UTF-8, the form the tag code passes texts
// in. Malformed input never fails: each broken sequence, and each unpaired surrogate, becomes
// U+FFFD, so a damaged text still shows everything that can be shown.
namespace UnicodeText {

bool IsValidUtf8(std::string_view utf8);
// Whether every byte is below 0x80: such a text is the same in UTF-8 and ISO-8859-1, and most
// texts of most tags are.
bool IsAscii(std::string_view text);
// The code point starting at AT, with AT moved past it; where the bytes at AT are not valid
// UTF-8, an empty optional, with AT moved past their first byte only.
std::optional<char32_t> NextCodePoint(std::string_view utf8, std::size_t& at);
// Characters as a user counts them: code points, so a character outside the Basic
// Multilingual Plane counts once.
std::size_t CodePointCount(std::string_view utf8);

std::u32string ToCodePoints(std::string_view utf8);
std::string FromCodePoints(std::u32string_view codePoints);

std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

std::string FromLatin1(std::string_view latin1);
// Empty optional when a character does not fit ISO-8859-1.
std::optional<std::string> ToLatin1(std::string_view utf8);
// "?" for each character ISO-8859-1 cannot hold.
std::string ToLatin1Lossy(std::string_view utf8);

} // namespace UnicodeText
