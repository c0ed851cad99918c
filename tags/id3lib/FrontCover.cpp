#include "FrontCover.h"

#include "CoverPicture.h"
#include "FrameWalk.h"

#include <id3/tag.h>

namespace FrontCover {

const ID3_Frame* Find(const ID3_Tag& tag) {
    const ID3_Frame* first = nullptr;
    FrameWalk frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        if (frame->GetID() != ID3FID_PICTURE)
            continue;
        const ID3_Field* type = frame->GetField(ID3FN_PICTURETYPE);
        if (type && type->Get() == CoverPicture::kFrontCover)
            return frame;
        if (!first)
            first = frame;
    }
    return first;
}

} // namespace FrontCover
