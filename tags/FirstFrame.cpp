#include "FirstFrame.h"

#include <id3/tag.h>

#include <memory>

const ID3_Frame* FirstFrame(const ID3_Tag& tag, ID3_FrameID id) {
    std::unique_ptr<ID3_Tag::ConstIterator> frames(tag.CreateIterator());
    while (const ID3_Frame* frame = frames->GetNext())
        if (frame->GetID() == id)
            return frame;
    return nullptr;
}
