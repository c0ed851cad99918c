#pragma once

#include <id3/globals.h>

#include <string>

class ID3_Frame;

// The text of one of a frame's text fields (its text unless told otherwise) as the form shows it:
// ISO-8859-1, with "?" for each character that ISO-8859-1 cannot hold. id3lib's own ID3_GetString
// keeps only 7 bits of every UTF-16 character, so UTF-16 text is decoded here from the field's raw
// code units instead.
struct FrameText {
    std::string latin1;
    // False when the shown text is less than what the frame holds (a replaced character, a
    // second value after a NUL, an encoding this program cannot decode): writing the shown
    // text back would lose something.
    bool lossless = true;

    static FrameText Of(const ID3_Frame& frame, ID3_FieldID fieldId = ID3FN_TEXT);
};
