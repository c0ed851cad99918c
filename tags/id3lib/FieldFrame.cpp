#include "FieldFrame.h"

#include <id3/tag.h>

#include <array>
#include <cstring>
#include <utility>

namespace FieldFrame {
namespace {

// id3lib has no public lookup by frame name (and some of its kinds cannot even be made into a
// frame to ask), so each frame the field table names is listed here.
constexpr std::pair<const char*, ID3_FrameID> kFrames[] = {
    {"TIT2", ID3FID_TITLE},    {"TPE1", ID3FID_LEADARTIST},  {"TALB", ID3FID_ALBUM},
    {"TYER", ID3FID_YEAR},     {"TCON", ID3FID_CONTENTTYPE}, {"COMM", ID3FID_COMMENT},
    {"TRCK", ID3FID_TRACKNUM}, {"TPOS", ID3FID_PARTINSET},   {"TPE2", ID3FID_BAND},
};

ID3_FrameID Lookup(const char* name) {
    for (const auto& [frameName, id] : kFrames)
        if (std::strcmp(frameName, name) == 0)
            return id;
    return ID3FID_NOFRAME;
}

} // namespace

ID3_FrameID IdOf(const FieldTable::Row& row) {
    static const std::array<ID3_FrameID, FieldTable::kRowCount> kIds = [] {
        std::array<ID3_FrameID, FieldTable::kRowCount> ids{};
        for (int i = 0; i < FieldTable::kRowCount; ++i)
            ids[i] = Lookup(FieldTable::kRows[i].frame);
        return ids;
    }();
    return kIds[&row - FieldTable::kRows];
}

bool Holds(const ID3_Frame& frame, const FieldTable::Row& row) {
    const ID3_FrameID id = frame.GetID();
    return id != ID3FID_NOFRAME && id == IdOf(row);
}

} // namespace FieldFrame
