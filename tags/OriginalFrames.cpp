#include "OriginalFrames.h"

#include "FrameWalk.h"
#include "Id3StringWriter.h"

#include <id3/tag.h>

void OriginalFrames::Rebuild(const ID3_Tag& tag, const std::vector<std::string>& bytes) {
    m_bytes.clear();
    FrameWalk frames(tag);
    for (const std::string& frameBytes : bytes) {
        const ID3_Frame* frame = frames.Next();
        if (!frame)
            break;
        m_bytes.emplace(frame, frameBytes);
    }
}

std::vector<std::string> OriginalFrames::FramesOf(const ID3_Tag& tag) const {
    std::vector<std::string> rendered;
    FrameWalk frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        const auto kept = m_bytes.find(frame);
        if (kept != m_bytes.end()) {
            rendered.push_back(kept->second);
            continue;
        }
        Id3StringWriter writer;
        frame->Render(writer);
        rendered.push_back(writer.Bytes());
    }
    return rendered;
}
