#pragma once

#include "TagFields.h"

#include <string>

class ID3_Frame;
class ID3_Tag;

// What the form shows of a tag. The last frame of a kind wins. Comments shows the last comment
// without a description; failing that, the last one whose description does not start with
// "iTun" (iTunes' machine data: iTunNORM, iTunSMPB, iTunes_CDDB_1 ...); failing that, nothing.
namespace ShownFields {

enum Field { Title, Artist, Album, Year, Comment, kFieldCount };

TagFields Read(const ID3_Tag& tag);
// The comment frame Comments shows; nullptr when it shows none.
const ID3_Frame* ShownComment(const ID3_Tag& tag);

std::string TagFields::*Member(Field field);

} // namespace ShownFields
