#pragma once

#include <id3/tag.h>

// The frames of an id3lib tag object, in order. Owns id3lib's iterator, which must be released with
// care: its base class has no virtual destructor, so a plain delete would free it with the wrong
// size.
class TagObjectFrames {
public:
    explicit TagObjectFrames(const ID3_Tag& tag) : m_frames(tag.CreateIterator()) {}
    ~TagObjectFrames();
    TagObjectFrames(const TagObjectFrames&) = delete;
    TagObjectFrames& operator=(const TagObjectFrames&) = delete;

    // The next frame; nullptr after the last.
    const ID3_Frame* Next() { return m_frames->GetNext(); }

private:
    ID3_Tag::ConstIterator* m_frames;
};
