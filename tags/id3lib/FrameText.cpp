#include "FrameText.h"

#include "Id3Text.h"
#include "UnicodeText.h"

#include <id3/tag.h>

#include <optional>
#include <string_view>
#include <vector>

namespace FrameText {
namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

std::string FromLatin1(const ID3_Field& field) {
    const char* raw = field.GetRawText();
    if (!raw)
        return {};
    return Id3Text::JoinValues(
        Id3Text::DecodeValues(Id3Text::kLatin1, std::string_view(raw, field.Size())));
}

// id3lib keeps UTF-16 text as big-endian byte pairs whatever the byte order in the file, so read
// bytes rather than unicode_t values, whose meaning depends on the machine's byte order. A byte
// order mark that starts a later value was kept by id3lib as a character.
std::string FromUtf16(const ID3_Field& field) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(field.GetRawUnicodeText());
    if (!bytes)
        return {};
    std::vector<std::string> values;
    std::u16string value;
    const std::size_t units = field.Size() / 2;
    for (std::size_t i = 0; i <= units; ++i) {
        const char16_t unit =
            i < units ? static_cast<char16_t>((bytes[2 * i] << 8) | bytes[2 * i + 1]) : 0;
        if (unit == 0) {
            values.push_back(UnicodeText::FromUtf16(value));
            value.clear();
        } else if (!(unit == kByteOrderMark && value.empty())) {
            value.push_back(unit);
        }
    }
    return Id3Text::JoinValues(values);
}

// A text frame of a kind id3lib does not know keeps its body as plain bytes.
std::string FromUnknownTextFrame(const ID3_Frame& frame) {
    const ID3_Field* data = frame.GetField(ID3FN_DATA);
    if (!data || !data->GetRawBinary())
        return {};
    const std::optional<std::vector<std::string>> values = Id3Text::TextFrameValues(
        std::string_view(reinterpret_cast<const char*>(data->GetRawBinary()), data->Size()));
    return values ? Id3Text::JoinValues(*values) : std::string();
}

} // namespace

std::string Of(const ID3_Frame& frame, ID3_FieldID fieldId) {
    const ID3_Field* field = frame.GetField(fieldId);
    if (!field && frame.GetID() == ID3FID_NOFRAME && fieldId == ID3FN_TEXT)
        return FromUnknownTextFrame(frame);
    if (!field)
        return {};
    // The inspector gives id3lib nothing but ISO-8859-1 and UTF-16.
    return field->GetEncoding() == ID3TE_UTF16 ? FromUtf16(*field) : FromLatin1(*field);
}

} // namespace FrameText
