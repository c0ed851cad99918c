#pragma once

#include "FieldTable.h"

#include <id3/globals.h>

class ID3_Frame;

// A field of the form as id3lib knows its frame.
namespace FieldFrame {

// id3lib's frame kind of ROW's ID3v2.3 frame.
ID3_FrameID IdOf(const FieldTable::Row& row);
// Whether FRAME is of ROW's kind.
bool Holds(const ID3_Frame& frame, const FieldTable::Row& row);

} // namespace FieldFrame
