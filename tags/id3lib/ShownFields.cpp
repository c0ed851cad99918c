#include "ShownFields.h"

#include "FieldFrame.h"
#include "FrameText.h"
#include "TagObjectFrames.h"

#include <id3/tag.h>

#include <algorithm>
#include <cstring>

namespace ShownFields {
namespace {

// The text field a frame fills; nullptr for any other frame (comments are chosen apart, and
// the genre is no text of the form).
std::string TagFields::*FieldOf(const ID3_Frame& frame) {
    const ID3_FrameID id = frame.GetID();
    if (id == ID3FID_COMMENT || id == ID3FID_NOFRAME)
        return nullptr;
    for (const FieldTable::Row& row : FieldTable::kRows)
        if (row.text != nullptr && FieldFrame::IdOf(row) == id)
            return row.text;
    return nullptr;
}

bool IsMachineData(const std::string& description) {
    return description.compare(0, 4, "iTun") == 0;
}

} // namespace

TagFields Read(const ID3_Tag& tag) {
    TagFields fields;
    TagObjectFrames frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        if (std::string TagFields::*field = FieldOf(*frame))
            fields.*field = FrameText::Of(*frame);
    }
    if (const ID3_Frame* comment = ShownComment(tag))
        fields.comment = FrameText::Of(*comment);
    if (fields.year.empty())
        fields.year = ReleaseYear(tag);
    return fields;
}

std::string ReleaseYear(const ID3_Tag& tag) {
    TagObjectFrames frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        if (frame->GetID() != ID3FID_NOFRAME || std::strcmp(frame->GetTextID(), "TDRL") != 0)
            continue;
        const std::string time = FrameText::Of(*frame);
        const bool hasYear =
            time.size() >= 4 && std::all_of(time.begin(), time.begin() + 4,
                                            [](char c) { return c >= '0' && c <= '9'; });
        return hasYear ? time.substr(0, 4) : std::string();
    }
    return {};
}

const ID3_Frame* ShownComment(const ID3_Tag& tag) {
    const ID3_Frame* lastPlain = nullptr;
    const ID3_Frame* lastDescribed = nullptr;
    TagObjectFrames frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        if (frame->GetID() != ID3FID_COMMENT)
            continue;
        const std::string description = FrameText::Of(*frame, ID3FN_DESCRIPTION);
        if (description.empty())
            lastPlain = frame;
        else if (!IsMachineData(description))
            lastDescribed = frame;
    }
    return lastPlain ? lastPlain : lastDescribed;
}

} // namespace ShownFields
