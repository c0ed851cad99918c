#pragma once

#include <optional>
#include <string>
#include <string_view>

// Rewrites the texts of a frame into the encodings an ID3v2.3 tag holds: ISO-8859-1 when every
// text fits it, otherwise UTF-16. Fields that are not text keep their bytes.
namespace Id3FrameRecoding {

// BODY is the body of a frame named ID (its ID3v2.3 name). It is rewritten when its texts are in
// an encoding ID3v2.3 lacks (UTF-8, UTF-16 without byte order mark) or, with JOIN_VALUES, when a
// text holds several NUL-separated values, which are then joined with "/" as ID3v2.3 writes
// them. Empty when BODY is right as it is, and when its fields cannot be walked: it is then
// kept as it came, for the screen that follows to judge.
std::optional<std::string> Recoded(const std::string& id, std::string_view body, bool joinValues);

} // namespace Id3FrameRecoding
