#include "Id3FrameScreen.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

// The field kinds of id3lib's frame definitions, in the order id3lib parses them.
enum class Field {
    Encoding,    // one byte: the encoding of the Encoded* fields after it
    Byte,        // a one-byte number
    Counter,     // a four-byte number
    Code3,       // three fixed characters (language, image format, version 2 link id)
    Code4,       // four fixed characters (version 3 link id)
    Latin1Cstr,  // ISO-8859-1 text ending in a NUL
    EncodedCstr, // text in the frame's encoding ending in a NUL of its width
    Latin1Rest,  // ISO-8859-1 text filling the rest of the frame
    EncodedRest, // text in the frame's encoding filling the rest of the frame
    EncodedList, // NUL-separated texts in the frame's encoding filling the rest
    Binary,      // bytes filling the rest of the frame
};

using Layout = std::vector<Field>;

const Layout kUnknown{Field::Binary};
const Layout kText{Field::Encoding, Field::EncodedRest};
const Layout kUserText{Field::Encoding, Field::EncodedCstr, Field::EncodedRest};
const Layout kGeneralText{Field::Encoding, Field::Code3, Field::EncodedCstr, Field::EncodedRest};
const Layout kTermsOfUse{Field::Encoding, Field::Code3, Field::EncodedRest};
const Layout kUrl{Field::Latin1Rest};
const Layout kUserUrl{Field::Encoding, Field::EncodedCstr, Field::Latin1Rest};
const Layout kLinkV3{Field::Code4, Field::Latin1Cstr, Field::Latin1Rest};
const Layout kPictureV2{Field::Encoding, Field::Code3, Field::Byte, Field::EncodedCstr,
                        Field::Binary};
const Layout kPictureV3{Field::Encoding, Field::Latin1Cstr, Field::Byte, Field::EncodedCstr,
                        Field::Binary};
const Layout kObject{Field::Encoding, Field::Latin1Cstr, Field::EncodedCstr, Field::EncodedCstr,
                     Field::Binary};
const Layout kOwnerAndData{Field::Latin1Cstr, Field::Binary};
const Layout kRegistration{Field::Latin1Cstr, Field::Byte, Field::Binary};
const Layout kPlayCounter{Field::Counter};
const Layout kPopularimeter{Field::Latin1Cstr, Field::Byte, Field::Counter};
const Layout kInvolvedPeople{Field::Encoding, Field::EncodedList};
const Layout kSyncedLyrics{Field::Encoding, Field::Code3,       Field::Byte,
                           Field::Byte,     Field::EncodedCstr, Field::Binary};

struct FrameKind {
    const char* v2Id; // "" when version 2 has no such frame
    const char* v3Id; // "" when version 3 has no such frame
    const Layout* layout;
    const Layout* v2Layout = nullptr; // when version 2 lays the frame out differently
};

// id3lib's table of the frames it implements, with the frames it keeps as plain bytes.
const FrameKind kKinds[] = {
    {"CRA", "AENC", &kUnknown},
    {"PIC", "APIC", &kPictureV3, &kPictureV2},
    {"COM", "COMM", &kGeneralText},
    {"", "COMR", &kUnknown},
    {"", "ENCR", &kRegistration},
    {"EQU", "EQUA", &kUnknown},
    {"ETC", "ETCO", &kUnknown},
    {"GEO", "GEOB", &kObject},
    {"", "GRID", &kRegistration},
    {"IPL", "IPLS", &kInvolvedPeople},
    // id3lib writes a version 2 link back with a version 2 frame id in a version 3 frame.
    {"", "LINK", &kLinkV3},
    {"MCI", "MCDI", &kUnknown},
    {"MLL", "MLLT", &kUnknown},
    {"", "OWNE", &kUnknown},
    {"", "PRIV", &kOwnerAndData},
    {"CNT", "PCNT", &kPlayCounter},
    {"POP", "POPM", &kPopularimeter},
    {"", "POSS", &kUnknown},
    {"BUF", "RBUF", &kUnknown},
    {"RVA", "RVAD", &kUnknown},
    {"REV", "RVRB", &kUnknown},
    {"SLT", "SYLT", &kSyncedLyrics},
    {"STC", "SYTC", &kUnknown},
    {"TAL", "TALB", &kText},
    {"TBP", "TBPM", &kText},
    {"TCM", "TCOM", &kText},
    {"TCO", "TCON", &kText},
    {"TCR", "TCOP", &kText},
    {"TDA", "TDAT", &kText},
    {"TDY", "TDLY", &kText},
    {"TEN", "TENC", &kText},
    {"TXT", "TEXT", &kText},
    {"TFT", "TFLT", &kText},
    {"TIM", "TIME", &kText},
    {"TT1", "TIT1", &kText},
    {"TT2", "TIT2", &kText},
    {"TT3", "TIT3", &kText},
    {"TKE", "TKEY", &kText},
    {"TLA", "TLAN", &kText},
    {"TLE", "TLEN", &kText},
    {"TMT", "TMED", &kText},
    {"TOT", "TOAL", &kText},
    {"TOF", "TOFN", &kText},
    {"TOL", "TOLY", &kText},
    {"TOA", "TOPE", &kText},
    {"TOR", "TORY", &kText},
    {"", "TOWN", &kText},
    {"TP1", "TPE1", &kText},
    {"TP2", "TPE2", &kText},
    {"TP3", "TPE3", &kText},
    {"TP4", "TPE4", &kText},
    {"TPA", "TPOS", &kText},
    {"TPB", "TPUB", &kText},
    {"TRK", "TRCK", &kText},
    {"TRD", "TRDA", &kText},
    {"TRN", "TRSN", &kText},
    {"TRO", "TRSO", &kText},
    {"TSI", "TSIZ", &kText},
    {"TRC", "TSRC", &kText},
    {"TSS", "TSSE", &kText},
    {"TXX", "TXXX", &kUserText},
    {"TYE", "TYER", &kText},
    {"UFI", "UFID", &kOwnerAndData},
    {"", "USER", &kTermsOfUse},
    {"ULT", "USLT", &kGeneralText},
    {"WCM", "WCOM", &kUrl},
    {"WCP", "WCOP", &kUrl},
    {"WAF", "WOAF", &kUrl},
    {"WAR", "WOAR", &kUrl},
    {"WAS", "WOAS", &kUrl},
    {"WRA", "WORS", &kUrl},
    {"WPY", "WPAY", &kUrl},
    {"WPB", "WPUB", &kUrl},
    {"WXX", "WXXX", &kUserUrl},
};

const FrameKind* FindKind(const std::string& id, unsigned majorVersion) {
    for (const FrameKind& kind : kKinds)
        if (id == (majorVersion == 2 ? kind.v2Id : kind.v3Id))
            return &kind;
    return nullptr;
}

const Layout& LayoutOf(const std::string& id, unsigned majorVersion) {
    const FrameKind* kind = FindKind(id, majorVersion);
    if (!kind)
        return kUnknown;
    return majorVersion == 2 && kind->v2Layout ? *kind->v2Layout : *kind->layout;
}

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
            return "The file's ID3v2 tag uses a text encoding of a newer tag version (in its " +
                   m_id + " frame) that cannot be written back without losing data.";
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

std::string Id3FrameScreen::Check(const std::string& id, unsigned majorVersion,
                                  const std::uint8_t* data, std::size_t size) {
    // CDM holds compressed frames and CRM encrypted ones; id3lib's CDM definition also lacks
    // its end marker, so it reads past its own table.
    if (majorVersion == 2 && (id == "CDM" || id == "CRM"))
        return "The file's ID3v2 tag holds a compressed or encrypted frame (" + id +
               "), which this program cannot read safely.";
    if (majorVersion == 2 && !IsWritableV22Id(id))
        return "The file's ID3v2.2 tag holds a kind of frame (" + id +
               ") that cannot be written back without hiding the frames after it.";
    return FieldWalk(id, data, size).Check(LayoutOf(id, majorVersion));
}

bool Id3FrameScreen::IsWritableV22Id(const std::string& id) {
    const FrameKind* kind = FindKind(id, 2);
    return kind && kind->v3Id[0] != '\0';
}
