#include "FrontCover.h"

#include "CoverPicture.h"
#include "PictureFrame.h"

namespace FrontCover {

std::size_t Find(const std::vector<std::string>& frames) {
    std::size_t first = npos;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::optional<PictureFrame> picture = PictureFrame::Read(frames[i]);
        if (!picture)
            continue;
        if (picture->pictureType == CoverPicture::kFrontCover)
            return i;
        if (first == npos)
            first = i;
    }
    return first;
}

} // namespace FrontCover
