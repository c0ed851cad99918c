#pragma once

#include <string>

// The genre number a TCON text stands for, 255 ("no genre") when it stands for none the form
// can show:
// - "(n)" at its start, as ID3v2.3 writes a genre, with or without a refinement after it;
// - a bare number "n", as ID3v2.4 writes one;
// - the name of one of the 80 genres, in the form's spelling or the usual ID3v1 spelling, case
//   ignored ("Rock", "classic rock", "Hip-Hop", "R&B").
// Numbers above 255 give 255.
unsigned GenreNumberFromText(const std::string& text);
