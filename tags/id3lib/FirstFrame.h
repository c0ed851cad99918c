#pragma once

#include <id3/globals.h>

class ID3_Frame;
class ID3_Tag;

// The first frame of the kind in the tag's order, or nullptr. ID3_Tag::Find is no use for this:
// it resumes its search where its previous call stopped.
const ID3_Frame* FirstFrame(const ID3_Tag& tag, ID3_FrameID id);
