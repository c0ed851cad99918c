#include "OriginalFrames.h"

#include "Id3StringWriter.h"
#include "TagObjectFrames.h"

#include <id3/tag.h>

#include <algorithm>

void OriginalFrames::Rebuild(const ID3_Tag& tag, std::vector<std::string> fileFrames) {
    m_fileFrames = std::make_shared<const std::vector<std::string>>(std::move(fileFrames));
    m_readFrames.assign(m_fileFrames->size(), nullptr);
    TagObjectFrames frames(tag);
    for (const ID3_Frame*& read : m_readFrames)
        read = frames.Next();
}

void OriginalFrames::Clear() {
    m_fileFrames = std::make_shared<const std::vector<std::string>>();
    m_readFrames.clear();
}

void OriginalFrames::Forget(const ID3_Frame* frame) {
    std::replace(m_readFrames.begin(), m_readFrames.end(), frame,
                 static_cast<const ID3_Frame*>(nullptr));
}

const ID3_Frame* OriginalFrames::ReadFrameAt(std::size_t index) const {
    return index < m_readFrames.size() ? m_readFrames[index] : nullptr;
}

std::vector<std::string> OriginalFrames::FramesOf(const ID3_Tag& tag) const {
    std::vector<std::string> rendered;
    std::size_t next = 0;
    TagObjectFrames frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        const auto read = std::find(m_readFrames.begin() + next, m_readFrames.end(), frame);
        if (read != m_readFrames.end()) {
            next = static_cast<std::size_t>(read - m_readFrames.begin());
            rendered.push_back((*m_fileFrames)[next++]);
            continue;
        }
        Id3StringWriter writer;
        frame->Render(writer);
        rendered.push_back(writer.Bytes());
    }
    return rendered;
}
