#pragma once

#include <memory>
#include <string>
#include <vector>

class ID3_Frame;
class ID3_Tag;

// Which frame of a tag object was read from which of the file's frames, so that a frame nobody
// replaced is written back exactly as the file holds it: its bytes are the file's, and id3lib
// could not render the frames it has no definition for (TCMP, TSOP, RVA2, ...) at all.
class OriginalFrames {
public:
    // Pairs the tag's frames, in order, with FILEFRAMES, one entry per frame.
    void Rebuild(const ID3_Tag& tag, std::vector<std::string> fileFrames);
    void Clear();
    // Called before FRAME is deleted: a new frame may get its address.
    void Forget(const ID3_Frame* frame);

    // The frames as the file holds them, in their ID3v2.3 form.
    const std::vector<std::string>& FileFrames() const { return *m_fileFrames; }
    // The same, for a value that keeps a part of them (a cover) beyond the next Rebuild.
    std::shared_ptr<const std::vector<std::string>> SharedFileFrames() const {
        return m_fileFrames;
    }
    // The tag object's frame read from FileFrames()[INDEX]; nullptr once it is gone.
    const ID3_Frame* ReadFrameAt(std::size_t index) const;
    // Every frame of TAG in order: the file's bytes, or id3lib's rendering of a frame added
    // since.
    std::vector<std::string> FramesOf(const ID3_Tag& tag) const;

private:
    // Never changed once made, as a cover read from it may share it.
    std::shared_ptr<const std::vector<std::string>> m_fileFrames =
        std::make_shared<const std::vector<std::string>>();
    // The tag object's frame read from each of the file's frames; nullptr once it is gone.
    // The tag keeps them in this order, whatever it adds or removes.
    std::vector<const ID3_Frame*> m_readFrames;
};
