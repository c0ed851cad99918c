#pragma once

#include <id3/globals.h>

#include <string>

class ID3_Frame;

// The text of one of a frame's text fields (its text unless told otherwise), in UTF-8. Several
// NUL-separated values are joined with "/", as ID3v2.3 writes them. id3lib's own ID3_GetString
// keeps only 7 bits of every UTF-16 character, so UTF-16 text is decoded here from the field's
// raw code units instead.
namespace FrameText {

std::string Of(const ID3_Frame& frame, ID3_FieldID fieldId = ID3FN_TEXT);

} // namespace FrameText
