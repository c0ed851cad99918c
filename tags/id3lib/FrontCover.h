#pragma once

class ID3_Frame;
class ID3_Tag;

// The picture the form shows as the file's cover: the first APIC frame of type 3 ("Cover
// (front)"), else the first picture of any type, as players do.
namespace FrontCover {

// nullptr when the tag has no picture.
const ID3_Frame* Find(const ID3_Tag& tag);

} // namespace FrontCover
