#include "ShownFields.h"

#include "FrameText.h"
#include "FrameWalk.h"

#include <id3/tag.h>

namespace ShownFields {
namespace {

int FieldOf(ID3_FrameID id) {
    switch (id) {
    case ID3FID_TITLE:
        return Title;
    case ID3FID_LEADARTIST:
        return Artist;
    case ID3FID_ALBUM:
        return Album;
    case ID3FID_YEAR:
        return Year;
    default:
        return -1;
    }
}

bool IsMachineData(const std::string& description) {
    return description.compare(0, 4, "iTun") == 0;
}

} // namespace

TagFields Read(const ID3_Tag& tag) {
    TagFields fields;
    FrameWalk frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        const int field = FieldOf(frame->GetID());
        if (field >= 0)
            fields.*Member(static_cast<Field>(field)) = FrameText::Of(*frame);
    }
    if (const ID3_Frame* comment = ShownComment(tag))
        fields.comment = FrameText::Of(*comment);
    return fields;
}

const ID3_Frame* ShownComment(const ID3_Tag& tag) {
    const ID3_Frame* lastPlain = nullptr;
    const ID3_Frame* lastDescribed = nullptr;
    FrameWalk frames(tag);
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

std::string TagFields::*Member(Field field) {
    static constexpr std::string TagFields::*kMembers[kFieldCount] = {
        &TagFields::title, &TagFields::artist, &TagFields::album, &TagFields::year,
        &TagFields::comment};
    return kMembers[field];
}

} // namespace ShownFields
