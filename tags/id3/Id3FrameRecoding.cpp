#include "Id3FrameRecoding.h"

#include "Id3FrameLayouts.h"
#include "Id3Text.h"

#include <string_view>
#include <vector>

namespace Id3FrameRecoding {
namespace {

using Id3FrameLayouts::Field;

// A stretch of the body: bytes kept as they are, or texts to be encoded again.
struct Piece {
    std::string_view raw; // within the body being walked, which outlives every piece
    std::vector<std::string> texts;
    bool isText = false;
    bool terminated = false; // each text ends with a terminator
};

class FrameTextRecoder {
public:
    FrameTextRecoder(const std::string& id, std::string_view body) : m_id(id), m_body(body) {}

    bool Read(const Id3FrameLayouts::Layout& layout, bool joinValues) {
        for (Field field : layout) {
            if (m_pos >= m_body.size())
                return true; // a missing last field is the screen's to judge
            if (!Take(field, joinValues))
                return false;
        }
        return m_pos == m_body.size();
    }

    bool NeedsRecoding() const { return m_needsRecoding; }

    std::string Recoded() const {
        std::vector<std::string> all;
        for (const Piece& piece : m_pieces)
            all.insert(all.end(), piece.texts.begin(), piece.texts.end());
        const Id3Text::Encoding encoding = Id3Text::EncodingFor(all);
        std::string body(1, static_cast<char>(encoding));
        for (const Piece& piece : m_pieces) {
            if (!piece.isText) {
                body += piece.raw;
                continue;
            }
            for (std::size_t i = 0; i < piece.texts.size(); ++i) {
                const bool last = i + 1 == piece.texts.size();
                body += Id3Text::Encode(encoding, piece.texts[i], piece.terminated || !last);
            }
        }
        return body;
    }

private:
    bool Take(Field field, bool joinValues) {
        switch (field) {
        case Field::Encoding:
            m_encoding = static_cast<std::uint8_t>(m_body[m_pos++]);
            m_needsRecoding = m_encoding == Id3Text::kUtf16Be || m_encoding == Id3Text::kUtf8;
            return Id3Text::IsKnownEncoding(m_encoding);
        case Field::Byte:
            return TakeRaw(1);
        case Field::Code3:
            return TakeRaw(3);
        case Field::Code4:
        case Field::Counter:
            return TakeRaw(4);
        case Field::Latin1Cstr: {
            const std::size_t end = m_body.find('\0', m_pos);
            return end != std::string::npos && TakeRaw(end + 1 - m_pos);
        }
        case Field::EncodedCstr:
            return TakeTerminatedText();
        case Field::Latin1Rest:
            return TakeRaw(m_body.size() - m_pos);
        case Field::Binary:
            return m_id == "SYLT" ? TakeSyncedTexts() : TakeRaw(m_body.size() - m_pos);
        case Field::EncodedRest:
            return TakeTextRest(joinValues);
        case Field::EncodedList:
            return TakeTextList();
        }
        return false;
    }

    bool TakeRaw(std::size_t count) {
        if (m_body.size() - m_pos < count)
            return false;
        Piece piece;
        piece.raw = m_body.substr(m_pos, count);
        m_pieces.push_back(std::move(piece));
        m_pos += count;
        return true;
    }

    bool TakeTerminatedText() {
        const std::size_t end = Id3Text::FindTerminator(m_encoding, m_body, m_pos);
        if (end == std::string::npos)
            return false;
        Piece piece;
        piece.isText = piece.terminated = true;
        piece.texts.push_back(Id3Text::Decode(m_encoding, m_body.substr(m_pos, end - m_pos)));
        m_pieces.push_back(std::move(piece));
        m_pos = end + Id3Text::UnitWidth(m_encoding);
        return true;
    }

    bool TakeTextRest(bool joinValues) {
        Piece piece;
        piece.isText = true;
        std::vector<std::string> values = Id3Text::DecodeValues(m_encoding, m_body.substr(m_pos));
        if (joinValues && values.size() > 1) {
            m_needsRecoding = true;
            values = {Id3Text::JoinValues(values)};
        }
        piece.texts = std::move(values);
        m_pieces.push_back(std::move(piece));
        m_pos = m_body.size();
        return true;
    }

    bool TakeTextList() {
        Piece piece;
        piece.isText = piece.terminated = true;
        piece.texts = Id3Text::DecodeValues(m_encoding, m_body.substr(m_pos));
        m_pieces.push_back(std::move(piece));
        m_pos = m_body.size();
        return true;
    }

    // Synchronised lyrics: after the header fields, pairs of a text and a four-byte time stamp.
    bool TakeSyncedTexts() {
        while (m_pos < m_body.size()) {
            if (!TakeTerminatedText() || !TakeRaw(4))
                return false;
        }
        return true;
    }

    const std::string& m_id;
    std::string_view m_body;
    std::size_t m_pos = 0;
    std::uint8_t m_encoding = Id3Text::kLatin1;
    bool m_needsRecoding = false;
    std::vector<Piece> m_pieces;
};

} // namespace

std::optional<std::string> Recoded(const std::string& id, std::string_view body, bool joinValues) {
    // Nearly every frame of a version 2.2 or 2.3 tag is already as it should be.
    const bool version23Encoding =
        !body.empty() && (body[0] == Id3Text::kLatin1 || body[0] == Id3Text::kUtf16);
    if (version23Encoding && !joinValues)
        return std::nullopt;
    const Id3FrameLayouts::Layout& layout = Id3FrameLayouts::AsDefined(id);
    if (layout.empty() || layout.front() != Field::Encoding)
        return std::nullopt;
    FrameTextRecoder recoder(id, body);
    if (!recoder.Read(layout, joinValues) || !recoder.NeedsRecoding())
        return std::nullopt;
    return recoder.Recoded();
}

} // namespace Id3FrameRecoding
