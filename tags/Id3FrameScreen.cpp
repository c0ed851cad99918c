#include "Id3FrameScreen.h"

#include "Id3FrameLayouts.h"

namespace {

using Id3FrameLayouts::Field;
using Id3FrameLayouts::Layout;

constexpr unsigned kLatin1 = 0;
constexpr unsigned kUtf16 = 1;

// Walks the fields of one frame with the rules id3lib's field parsers follow.
class FieldWalk {
public:
    FieldWalk(const std::string& id, const std::uint8_t* data, std::size_t size)
        : m_id(id), m_data(data), m_size(size) {}

    std::string Check(const Layout& layout) {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (m_pos >= m_size) {
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
        if (m_pos < m_size)
            return Problem("holds more than its fields");
        return {};
    }

private:
    std::string CheckField(Field field) {
        switch (field) {
        case Field::Encoding:
            m_encoding = m_data[m_pos++];
            if (m_encoding == kLatin1 || m_encoding == kUtf16)
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
            return SkipTerminated(kLatin1);
        case Field::EncodedCstr:
            return SkipTerminated(m_encoding);
        case Field::Latin1Rest:
        case Field::Binary:
            m_pos = m_size;
            return {};
        case Field::EncodedRest:
        case Field::EncodedList:
            // An odd number of UTF-16 bytes sends id3lib past its buffer or, in a list, into
            // an endless loop.
            if (m_encoding == kUtf16 && (m_size - m_pos) % 2 != 0)
                return Problem("holds broken UTF-16 text");
            m_pos = m_size;
            return {};
        }
        return {};
    }

    std::string Skip(std::size_t count) {
        if (m_size - m_pos < count)
            return Problem("is cut short");
        m_pos += count;
        return {};
    }

    std::string SkipTerminated(unsigned encoding) {
        const std::size_t width = encoding == kUtf16 ? 2 : 1;
        for (std::size_t at = m_pos; at + width <= m_size; at += width) {
            if (m_data[at] == 0 && (width == 1 || m_data[at + 1] == 0)) {
                m_pos = at + width;
                return {};
            }
        }
        return Problem("holds a text without its end mark");
    }

    std::string Problem(const char* what) const {
        return "The file's ID3v2 tag is damaged: its " + m_id + " frame " + what + ".";
    }

    const std::string& m_id;
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    unsigned m_encoding = kLatin1;
};

} // namespace

std::string Id3FrameScreen::Check(const std::string& id, const std::uint8_t* data,
                                  std::size_t size) {
    return FieldWalk(id, data, size).Check(Id3FrameLayouts::AsId3libParses(id));
}
