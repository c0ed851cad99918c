#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text as ID3v2 frames hold it: an encoding byte, then strings in that encoding. Texts go in and
// come out as UTF-8.
namespace Id3Text {

enum Encoding : std::uint8_t {
    kLatin1 = 0,
    kUtf16 = 1,   // with a byte order mark; without one, big-endian (as id3lib reads it)
    kUtf16Be = 2, // ID3v2.4 only
    kUtf8 = 3,    // ID3v2.4 only
};

bool IsKnownEncoding(std::uint8_t encoding);
// 2 for the UTF-16 encodings, otherwise 1: the width of a character's code unit and of the NUL
// that ends a string.
std::size_t UnitWidth(std::uint8_t encoding);

// One string without its terminator.
std::string Decode(std::uint8_t encoding, std::string_view bytes);
// The NUL-separated strings of BYTES; a terminator after the last one is not a further value.
std::vector<std::string> DecodeValues(std::uint8_t encoding, std::string_view bytes);
// Where the string starting at AT ends (its terminator excluded), or npos when it has none.
std::size_t FindTerminator(std::uint8_t encoding, std::string_view bytes, std::size_t at);
// The values of a text frame's BODY, an encoding byte and then the texts; empty optional when
// BODY is empty or its encoding unknown.
std::optional<std::vector<std::string>> TextFrameValues(std::string_view body);

// VALUES joined with "/", as ID3v2.3 writes the several values of one text. An empty value
// says nothing and is left out, so that no "//" or stray "/" appears.
std::string JoinValues(const std::vector<std::string>& values);

// ISO-8859-1 when every character of every text fits it, otherwise UTF-16: the forms an
// ID3v2.3 tag may hold and that players read most widely.
Encoding EncodingFor(const std::vector<std::string>& texts);
// TEXT in ENCODING (kLatin1 or kUtf16), UTF-16 little-endian after a byte order mark; with its
// terminator when TERMINATED.
std::string Encode(Encoding encoding, std::string_view text, bool terminated);

} // namespace Id3Text
