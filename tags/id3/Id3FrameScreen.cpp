#include "Id3FrameScreen.h"

#include "Id3FrameLayouts.h"
#include "Id3Text.h"

namespace {

using Id3FrameLayouts::Field;
using Id3FrameLayouts::Layout;

// Checks the fields of one frame body, one after the other, with the rules id3lib's field parsers
// follow.
class FrameFieldCheck {
public:
    FrameFieldCheck(const std::string& id, std::string_view body) : m_id(id), m_body(body) {}

    std::string Check(const Layout& layout) {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (m_pos >= m_body.size()) {
                // id3lib accepts a frame whose last field is missing; any earlier gap leaves
                // the frame half parsed.
                if (i + 1 == layout.size())
                    return {};
                return Problem("is cut short");
            }
            std::string problem = CheckField(layout[i]);
            if (!problem.empty())
                return problem;
        }
        // id3lib goes on reading frames where the fields it knows end, so whatever follows
        // them inside the frame would be parsed as a frame of its own.
        if (m_pos < m_body.size())
            return Problem("holds more than its fields");
        return {};
    }

private:
    std::string CheckField(Field field) {
        switch (field) {
        case Field::Encoding:
            m_encoding = static_cast<std::uint8_t>(m_body[m_pos++]);
            if (m_encoding == Id3Text::kLatin1 || m_encoding == Id3Text::kUtf16)
                return {};
            return "The file's ID3v2 tag uses a text encoding no ID3v2 version defines (in its " +
                   m_id + " frame).";
        case Field::Byte:
            return Skip(1);
        case Field::Code3:
            return Skip(3);
        case Field::Code4:
        case Field::Counter:
            return Skip(4);
        case Field::Latin1Cstr:
            return SkipTerminated(Id3Text::kLatin1);
        case Field::EncodedCstr:
            return SkipTerminated(m_encoding);
        case Field::Latin1Rest:
        case Field::Binary:
            m_pos = m_body.size();
            return {};
        case Field::EncodedRest:
        case Field::EncodedList:
            // An odd number of UTF-16 bytes sends id3lib past its buffer or, in a list, into
            // an endless loop.
            if (m_encoding == Id3Text::kUtf16 && (m_body.size() - m_pos) % 2 != 0)
                return Problem("holds broken UTF-16 text");
            m_pos = m_body.size();
            return {};
        }
        return {};
    }

    std::string Skip(std::size_t count) {
        if (m_body.size() - m_pos < count)
            return Problem("is cut short");
        m_pos += count;
        return {};
    }

    std::string SkipTerminated(std::uint8_t encoding) {
        const std::size_t end = Id3Text::FindTerminator(encoding, m_body, m_pos);
        if (end == std::string_view::npos)
            return Problem("holds a text without its end mark");
        m_pos = end + Id3Text::UnitWidth(encoding);
        return {};
    }

    std::string Problem(const char* what) const {
        return "The file's ID3v2 tag is damaged: its " + m_id + " frame " + what + ".";
    }

    const std::string& m_id;
    std::string_view m_body;
    std::size_t m_pos = 0;
    std::uint8_t m_encoding = Id3Text::kLatin1;
};

} // namespace

std::string Id3FrameScreen::Check(const std::string& id, std::string_view body) {
    // id3lib reads a frame of size zero as empty fields and goes on with the next frame.
    if (body.empty())
        return {};
    return FrameFieldCheck(id, body).Check(Id3FrameLayouts::AsId3libParses(id));
}
