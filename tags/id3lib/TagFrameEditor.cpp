#include "TagFrameEditor.h"

#include "CoverPicture.h"
#include "FieldFrame.h"
#include "FrameText.h"
#include "Id3Text.h"
#include "OriginalFrames.h"
#include "ShownFields.h"
#include "TagObjectFrames.h"
#include "UnicodeText.h"

#include <id3/tag.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// The language of a comment nobody said the language of.
const std::string kUnknownLanguage = "XXX";

void SetText(ID3_Frame& frame, ID3_FieldID fieldId, const std::string& text,
             Id3Text::Encoding encoding) {
    ID3_Field* field = frame.GetField(fieldId);
    if (encoding == Id3Text::kLatin1) {
        field->SetEncoding(ID3TE_ISO8859_1);
        field->Set(UnicodeText::ToLatin1Lossy(text).c_str());
        return;
    }
    field->SetEncoding(ID3TE_UTF16);
    const std::u16string units = UnicodeText::ToUtf16(text);
    // id3lib keeps UTF-16 as big-endian byte pairs in memory, whatever the machine's byte
    // order, and takes a unicode_t string's memory as it is.
    std::vector<unicode_t> bigEndian(units.size() + 1, 0);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const unsigned char pair[2] = {static_cast<unsigned char>(units[i] >> 8),
                                       static_cast<unsigned char>(units[i] & 0xFF)};
        std::memcpy(&bigEndian[i], pair, sizeof pair);
    }
    field->Set(bigEndian.data());
}

std::unique_ptr<ID3_Frame> NewFrame(ID3_FrameID id, Id3Text::Encoding encoding) {
    auto frame = std::make_unique<ID3_Frame>(id);
    frame->GetField(ID3FN_TEXTENC)
        ->Set(encoding == Id3Text::kLatin1 ? ID3TE_ISO8859_1 : ID3TE_UTF16);
    return frame;
}

} // namespace

template <typename Predicate> void TagFrameEditor::Remove(Predicate shouldGo) {
    std::vector<const ID3_Frame*> leaving;
    {
        TagObjectFrames frames(m_tag);
        while (const ID3_Frame* frame = frames.Next())
            if (shouldGo(*frame))
                leaving.push_back(frame);
    }
    for (const ID3_Frame* frame : leaving) {
        m_originals.Forget(frame);
        delete m_tag.RemoveFrame(frame);
    }
}

void TagFrameEditor::ReplaceField(const FieldTable::Row& row, const std::string& text) {
    if (FieldFrame::IdOf(row) != ID3FID_COMMENT) {
        Remove([&row](const ID3_Frame& frame) { return FieldFrame::Holds(frame, row); });
        AddField(row, text);
        return;
    }
    std::vector<const ID3_Frame*> comments;
    std::vector<std::string> descriptions;
    TagObjectFrames frames(m_tag);
    while (const ID3_Frame* frame = frames.Next()) {
        if (frame->GetID() != ID3FID_COMMENT)
            continue;
        comments.push_back(frame);
        descriptions.push_back(FrameText::Of(*frame, ID3FN_DESCRIPTION));
    }
    const std::size_t shown = ShownFields::ShownCommentAmong(descriptions);
    const std::string language = shown != ShownFields::npos
                                     ? FrameText::Of(*comments[shown], ID3FN_LANGUAGE)
                                     : std::string();
    Remove([](const ID3_Frame& frame) {
        return frame.GetID() == ID3FID_COMMENT && FrameText::Of(frame, ID3FN_DESCRIPTION).empty();
    });
    AddComment(text, language.empty() ? kUnknownLanguage : language);
}

void TagFrameEditor::AddField(const FieldTable::Row& row, const std::string& text) {
    const ID3_FrameID id = FieldFrame::IdOf(row);
    if (id == ID3FID_COMMENT)
        AddComment(text, kUnknownLanguage);
    else if (row.rule == FieldTable::Rule::Genre)
        AddText(id, "(" + text + ")");
    else
        AddText(id, text);
}

void TagFrameEditor::AddText(ID3_FrameID id, const std::string& text) {
    const Id3Text::Encoding encoding = Id3Text::EncodingFor({text});
    std::unique_ptr<ID3_Frame> frame = NewFrame(id, encoding);
    SetText(*frame, ID3FN_TEXT, text, encoding);
    m_tag.AttachFrame(frame.release());
}

void TagFrameEditor::AddComment(const std::string& text, const std::string& language) {
    const Id3Text::Encoding encoding = Id3Text::EncodingFor({text});
    std::unique_ptr<ID3_Frame> frame = NewFrame(ID3FID_COMMENT, encoding);
    frame->GetField(ID3FN_LANGUAGE)->Set(language.c_str());
    SetText(*frame, ID3FN_DESCRIPTION, std::string(), encoding);
    SetText(*frame, ID3FN_TEXT, text, encoding);
    m_tag.AttachFrame(frame.release());
}

void TagFrameEditor::RemoveFrame(const ID3_Frame* frame) {
    if (frame)
        Remove([frame](const ID3_Frame& candidate) { return &candidate == frame; });
}

void TagFrameEditor::ReplacePicture(const ID3_Frame* old, const CoverPicture& picture) {
    // id3lib adds a frame only at the end: the frames after OLD move behind the new one.
    std::vector<const ID3_Frame*> following;
    {
        TagObjectFrames frames(m_tag);
        bool afterOld = false;
        while (const ID3_Frame* frame = frames.Next()) {
            if (afterOld)
                following.push_back(frame);
            afterOld = afterOld || frame == old;
        }
    }
    RemoveFrame(old);
    auto frame = std::make_unique<ID3_Frame>(ID3FID_PICTURE);
    frame->GetField(ID3FN_TEXTENC)->Set(ID3TE_ISO8859_1);
    frame->GetField(ID3FN_MIMETYPE)->Set(picture.mimeType.c_str());
    frame->GetField(ID3FN_PICTURETYPE)->Set(static_cast<uint32>(picture.pictureType));
    frame->GetField(ID3FN_DESCRIPTION)->Set("");
    frame->GetField(ID3FN_DATA)
        ->Set(reinterpret_cast<const uchar*>(picture.Bytes().data()), picture.Size());
    m_tag.AttachFrame(frame.release());
    for (const ID3_Frame* moving : following)
        m_tag.AttachFrame(m_tag.RemoveFrame(moving));
}
