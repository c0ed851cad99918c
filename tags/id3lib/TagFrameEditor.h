#pragma once

#include <id3/globals.h>

#include <string>

class ID3_Frame;
class ID3_Tag;
class OriginalFrames;
struct CoverPicture;

// Replaces and adds the frames of the form's fields in a tag object. New frames come at the end
// of the tag, their text in ISO-8859-1 when it fits and in UTF-16 otherwise; removed frames are
// forgotten by ORIGINALS before they are deleted.
class TagFrameEditor {
public:
    TagFrameEditor(ID3_Tag& tag, OriginalFrames& originals) : m_tag(tag), m_originals(originals) {}

    // Every frame of kind ID gives way to one holding TEXT.
    void ReplaceText(ID3_FrameID id, const std::string& text);
    // Every comment without a description, whatever its language, gives way to one holding
    // TEXT; comments with a description stay.
    void ReplaceComment(const std::string& text);
    // Every genre frame gives way to one holding "(NUMBER)".
    void ReplaceGenre(unsigned number);

    // FRAME leaves the tag; nullptr is no frame.
    void RemoveFrame(const ID3_Frame* frame);
    // A picture frame with PICTURE's type, MIME type and bytes as they are, no description.
    void AddPicture(const CoverPicture& picture);

    void AddText(ID3_FrameID id, const std::string& text);
    // A comment with language "XXX" and no description.
    void AddComment(const std::string& text);

private:
    template <typename Predicate> void Remove(Predicate shouldGo);

    ID3_Tag& m_tag;
    OriginalFrames& m_originals;
};
