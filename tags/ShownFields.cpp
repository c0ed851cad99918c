#include "ShownFields.h"

#include "FrameText.h"
#include "FrameWalk.h"

#include <id3/tag.h>

namespace {

int FieldOf(ID3_FrameID id) {
    switch (id) {
    case ID3FID_TITLE:
        return ShownFields::Title;
    case ID3FID_LEADARTIST:
        return ShownFields::Artist;
    case ID3FID_ALBUM:
        return ShownFields::Album;
    case ID3FID_YEAR:
        return ShownFields::Year;
    case ID3FID_COMMENT:
        return ShownFields::Comment;
    default:
        return -1;
    }
}

} // namespace

ShownFields ShownFields::Read(const ID3_Tag& tag) {
    ShownFields shown;
    FrameWalk frames(tag);
    while (const ID3_Frame* frame = frames.Next()) {
        const int field = FieldOf(frame->GetID());
        if (field < 0)
            continue;
        const FrameText text = FrameText::Of(*frame);
        shown.Set(static_cast<Field>(field), text.latin1, text.lossless);
    }
    return shown;
}

TagFields ShownFields::Texts() const {
    TagFields fields;
    for (int field = 0; field < kFieldCount; ++field)
        fields.*Member(static_cast<Field>(field)) = m_texts[field];
    return fields;
}

void ShownFields::Set(Field field, const std::string& text, bool lossless) {
    m_texts[field] = text;
    m_lossless[field] = lossless;
}

std::string TagFields::*ShownFields::Member(Field field) {
    static constexpr std::string TagFields::*kMembers[kFieldCount] = {
        &TagFields::title, &TagFields::artist, &TagFields::album, &TagFields::year,
        &TagFields::comment};
    return kMembers[field];
}
