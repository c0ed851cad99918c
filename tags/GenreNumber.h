#pragma once

#include <string>

class ID3_Tag;

// The genre number a TCON text stands for: "(" + decimal digits + ")" at its start gives that
// number, capped to 255; any other text gives 255, "no genre".
unsigned GenreNumberFromText(const std::string& text);

// The genre number of the tag's first TCON frame; 255 when it has none. The same answer every
// time, unlike id3lib's ID3_GetGenreNum, which alternates between several TCON frames.
unsigned GenreNumberOf(const ID3_Tag& tag);
