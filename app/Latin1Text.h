#pragma once

#include <optional>
#include <string>

// Conversions between the terminal's UTF-8 and the ISO-8859-1 bytes the tags hold.
namespace Latin1Text {

std::string ToUtf8(const std::string& latin1);
// Nothing when UTF8 is not valid UTF-8 or holds a character ISO-8859-1 cannot.
std::optional<std::string> FromUtf8(const std::string& utf8);

} // namespace Latin1Text
