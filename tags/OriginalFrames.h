#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class ID3_Frame;
class ID3_Tag;

// The bytes each frame of a tag object had when it was read or last written. A frame nobody
// replaced is written back exactly so: its bytes are the file's, and id3lib could not render
// the frames it has no definition for (TCMP, TSOP, RVA2, ...) at all.
class OriginalFrames {
public:
    // Pairs the tag's frames, in order, with BYTES, one entry per frame.
    void Rebuild(const ID3_Tag& tag, const std::vector<std::string>& bytes);
    void Clear() { m_bytes.clear(); }
    // Called before FRAME is deleted: a new frame may get its address.
    void Forget(const ID3_Frame* frame) { m_bytes.erase(frame); }

    // Every frame of TAG in order: its kept bytes, or id3lib's rendering of a frame added since.
    std::vector<std::string> FramesOf(const ID3_Tag& tag) const;

private:
    std::unordered_map<const ID3_Frame*, std::string> m_bytes;
};
