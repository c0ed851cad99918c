#include "FirstFrame.h"

#include "TagObjectFrames.h"

#include <id3/tag.h>

const ID3_Frame* FirstFrame(const ID3_Tag& tag, ID3_FrameID id) {
    TagObjectFrames frames(tag);
    while (const ID3_Frame* frame = frames.Next())
        if (frame->GetID() == id)
            return frame;
    return nullptr;
}
