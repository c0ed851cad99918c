#pragma once

#include <string>

// Text for a terminal line: what could break the line or steer the terminal is written out.
namespace EscapedText {

// TEXT (UTF-8, or any bytes, as a path may be) with a backslash as \\, a newline, tab and
// carriage return as \n, \t and \r, other control characters as \xNN (below 0x80) or \uNNNN
// (the C1 controls and the line and paragraph separators), and each byte that is not part of
// valid UTF-8 as \xNN. Everything else is kept as it is.
std::string Of(const std::string& text);

} // namespace EscapedText
