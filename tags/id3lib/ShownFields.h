#pragma once

#include "TagFields.h"

#include <string>

class ID3_Frame;
class ID3_Tag;

// What the form shows of a tag. The last frame of a kind wins. Year falls back on the year of
// the release time (TDRL) that ID3v2.4 taggers such as eyeD3 write instead of a recording time.
// Comments shows the last comment without a description; failing that, the last one whose
// description does not start with "iTun" (iTunes' machine data: iTunNORM, iTunSMPB,
// iTunes_CDDB_1 ...); failing that, nothing.
namespace ShownFields {

TagFields Read(const ID3_Tag& tag);
// The comment frame Comments shows; nullptr when it shows none.
const ID3_Frame* ShownComment(const ID3_Tag& tag);
// The year of the tag's release time; empty when it has none.
std::string ReleaseYear(const ID3_Tag& tag);

} // namespace ShownFields
