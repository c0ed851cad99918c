#pragma once

#include <id3/tag.h>

// Walks a tag's frames in order. Owns id3lib's iterator, which must be released with care: its
// base class has no virtual destructor, so a plain delete would free it with the wrong size.
class FrameWalk {
public:
    explicit FrameWalk(const ID3_Tag& tag) : m_frames(tag.CreateIterator()) {}
    ~FrameWalk();
    FrameWalk(const FrameWalk&) = delete;
    FrameWalk& operator=(const FrameWalk&) = delete;

    // The next frame; nullptr after the last.
    const ID3_Frame* Next() { return m_frames->GetNext(); }

private:
    ID3_Tag::ConstIterator* m_frames;
};
