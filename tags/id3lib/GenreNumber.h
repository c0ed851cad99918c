#pragma once

#include <string>

class ID3_Tag;

// The genre number a TCON text stands for, 255 ("no genre") when it stands for none the form
// can show:
// - "(n)" at its start, as ID3v2.3 writes a genre, with or without a refinement after it;
// - a bare number "n", as ID3v2.4 writes one;
// - the name of one of the 80 genres, in the form's spelling or the usual ID3v1 spelling, case
//   ignored ("Rock", "classic rock", "Hip-Hop", "R&B").
// Numbers above 255 give 255.
unsigned GenreNumberFromText(const std::string& text);

// The genre number of the tag's first TCON frame; 255 when it has none. The same answer every
// time, unlike id3lib's ID3_GetGenreNum, which alternates between several TCON frames.
unsigned GenreNumberOf(const ID3_Tag& tag);
