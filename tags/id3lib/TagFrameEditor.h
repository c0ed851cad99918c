#pragma once

#include "FieldTable.h"

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

    // The frames of ROW's field give way to one holding TEXT (for the genre, a genre number).
    // For Comments, every comment without a description goes, whatever its language; the new
    // one keeps the language of the comment the form showed, and comments with a description
    // stay.
    void ReplaceField(const FieldTable::Row& row, const std::string& text);
    // A frame of ROW's field holding TEXT; a comment gets language "XXX" and no description, a
    // genre number is written "(NUMBER)".
    void AddField(const FieldTable::Row& row, const std::string& text);

    // FRAME leaves the tag; nullptr is no frame.
    void RemoveFrame(const ID3_Frame* frame);
    // A picture frame with PICTURE's type, MIME type and bytes as they are, no description,
    // takes OLD's place among the frames; with no OLD (nullptr), it comes at the end.
    void ReplacePicture(const ID3_Frame* old, const CoverPicture& picture);

private:
    template <typename Predicate> void Remove(Predicate shouldGo);
    void AddText(ID3_FrameID id, const std::string& text);
    void AddComment(const std::string& text, const std::string& language);

    ID3_Tag& m_tag;
    OriginalFrames& m_originals;
};
