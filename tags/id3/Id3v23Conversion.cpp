#include "Id3v23Conversion.h"

#include "GenreTable.h"
#include "Id3FrameLayouts.h"
#include "Id3FrameRecoding.h"
#include "Id3Numbers.h"
#include "Id3Text.h"

#include <zlib.h>

#include <cstring>
#include <optional>
#include <set>

namespace {

constexpr std::size_t kV22HeaderSize = 6;
// Whatever a frame says, it is not unpacked beyond this: a tag is held in memory whole.
constexpr std::size_t kMaxUnpackedSize = 64u << 20;

// Version 2.3 frame flags: the status byte first.
constexpr std::uint16_t kV23StatusFlags = 0xE000;
constexpr std::uint16_t kV23Compressed = 0x0080;
constexpr std::uint16_t kV23Encrypted = 0x0040;
constexpr std::uint16_t kV23Grouped = 0x0020;
// Version 2.4 frame flags.
constexpr std::uint16_t kV24StatusFlags = 0x7000;
constexpr std::uint16_t kV24Grouped = 0x0040;
constexpr std::uint16_t kV24Compressed = 0x0008;
constexpr std::uint16_t kV24Encrypted = 0x0004;
constexpr std::uint16_t kV24Unsynchronised = 0x0002;
constexpr std::uint16_t kV24DataLength = 0x0001;
constexpr std::uint16_t kV24Defined = 0x704F;

std::string Damaged(const std::string& what) {
    return "The file's ID3v2 tag is damaged: " + what + ".";
}

bool IsFrameIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Into a string of its own: zlib reads PACKED piece by piece while the pieces are written.
std::optional<std::string> Inflated(std::string_view packed) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    std::string unpacked;
    char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK && unpacked.size() <= kMaxUnpackedSize) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        unpacked.append(chunk, sizeof chunk - stream.avail_out);
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || unpacked.size() > kMaxUnpackedSize)
        return std::nullopt;
    return unpacked;
}

Id3v23Frame TextFrame(const std::string& id, std::uint16_t flags, const std::string& text) {
    const Id3Text::Encoding encoding = Id3Text::EncodingFor({text});
    return Id3v23Frame(id, flags,
                       std::string(1, static_cast<char>(encoding)) +
                           Id3Text::Encode(encoding, text, false));
}

// A frame as the tag holds it, before conversion. Its data stays in the tag until compression
// or unsynchronisation is undone: most frames are handed on as they are.
struct SourceFrame {
    std::string id;
    std::uint16_t flags = 0;
    std::string_view held;               // within the tag, which outlives the conversion
    std::optional<std::string> unpacked; // once the data was unpacked

    std::string_view Data() const { return unpacked ? std::string_view(*unpacked) : held; }
};

// A version 2.4 time stamp, "yyyy[-MM[-dd[THH[:mm[:ss]]]]]", in the pieces version 2.3 keeps.
struct TimeStamp {
    std::string year, month, day, hour, minute;

    static std::optional<TimeStamp> Parse(const std::string& text) {
        static const struct {
            std::size_t at;
            char before;
            std::string TimeStamp::*piece;
        } kPieces[] = {{4, '-', &TimeStamp::month},
                       {7, '-', &TimeStamp::day},
                       {10, 'T', &TimeStamp::hour},
                       {13, ':', &TimeStamp::minute}};
        if (text.size() < 4 || !IsDigits(text.substr(0, 4)))
            return std::nullopt;
        TimeStamp stamp;
        stamp.year = text.substr(0, 4);
        for (const auto& piece : kPieces) {
            if (text.size() == piece.at)
                return stamp;
            if (text.size() < piece.at + 3 || text[piece.at] != piece.before ||
                !IsDigits(text.substr(piece.at + 1, 2)))
                return std::nullopt;
            stamp.*piece.piece = text.substr(piece.at + 1, 2);
        }
        // Seconds, which version 2.3 cannot hold.
        if (text.size() == 16)
            return stamp;
        if (text.size() == 19 && text[16] == ':' && IsDigits(text.substr(17, 2)))
            return stamp;
        return std::nullopt;
    }
};

class Conversion {
public:
    // INCHAPTER: the frames are a chapter's, which end where the chapter does.
    Conversion(unsigned major, bool unsynchronised, bool inChapter = false)
        : m_major(major), m_unsynchronised(unsynchronised), m_inChapter(inChapter) {}

    Id3v23Conversion::Result Run(std::string_view body) {
        std::vector<SourceFrame> frames;
        m_result.problem = SplitFrames(body, m_major == 4, &frames);
        // iTunes once wrote version 2.4 frame sizes as plain numbers: when the sizes do not
        // walk as the standard's, and do as plain numbers, they are taken as such.
        if (!m_result.problem.empty() && m_major == 4) {
            std::vector<SourceFrame> plain;
            if (SplitFrames(body, false, &plain).empty()) {
                m_result.problem.clear();
                frames = std::move(plain);
            }
        }
        for (const SourceFrame& frame : frames)
            if (frame.id == "TYER" || frame.id == "TDAT" || frame.id == "TIME" ||
                frame.id == "TORY")
                m_sourceIds.insert(frame.id);
        if (!m_result.problem.empty())
            return std::move(m_result);
        // A frame that cannot be converted refuses the tag, but the others still show what
        // the file holds.
        for (SourceFrame& frame : frames) {
            std::string problem = IsEmpty(frame) ? AddEmpty(frame) : ConvertFrame(frame);
            if (m_result.problem.empty())
                m_result.problem = std::move(problem);
        }
        AddInvolvedPeople();
        return std::move(m_result);
    }

private:
    std::size_t HeaderSize() const { return m_major == 2 ? kV22HeaderSize : 10; }

    std::string SplitFrames(std::string_view body, bool syncsafeSizes,
                            std::vector<SourceFrame>* frames) {
        const std::size_t idSize = m_major == 2 ? 3 : 4;
        std::size_t pos = 0;
        // A zero byte where a frame would start begins the padding; in a tag, an MPEG frame's
        // first byte begins the audio a declared size reached into.
        while (pos < body.size() && body[pos] != 0 &&
               (m_inChapter || static_cast<std::uint8_t>(body[pos]) != 0xFF)) {
            if (body.size() - pos < HeaderSize())
                return Damaged("its last frame is cut short");
            SourceFrame frame;
            frame.id = std::string(body.substr(pos, idSize));
            for (char c : frame.id)
                if (!IsFrameIdCharacter(c))
                    return Damaged("a frame has a malformed name");
            const std::string_view sizeBytes = body.substr(pos + idSize, idSize);
            if (syncsafeSizes && !Id3Numbers::IsSyncsafe(sizeBytes))
                return Damaged("its " + frame.id + " frame has a malformed size");
            const std::uint32_t size =
                syncsafeSizes ? Id3Numbers::Syncsafe(sizeBytes) : Id3Numbers::BigEndian(sizeBytes);
            if (m_major != 2)
                frame.flags =
                    static_cast<std::uint16_t>(Id3Numbers::BigEndian(body.substr(pos + 8, 2)));
            pos += HeaderSize();
            if (size > body.size() - pos)
                return Damaged("its " + frame.id + " frame runs past the end of the tag");
            frame.held = body.substr(pos, size);
            pos += size;
            frames->push_back(std::move(frame));
            if (frames->size() > Id3v23Conversion::kMaxFrames)
                return Damaged("it holds more frames than any real tag");
        }
        m_result.paddingSize = body.size() - pos;
        return {};
    }

    // A frame of size zero (careless taggers write an empty title so) holds an empty value.
    // It is kept as it is, under its version 2.3 name: id3lib reads it as empty fields.
    bool IsEmpty(const SourceFrame& frame) const {
        const std::uint16_t status = m_major == 4 ? kV24StatusFlags : kV23StatusFlags;
        return frame.held.empty() && (frame.flags & ~status) == 0;
    }

    std::string AddEmpty(SourceFrame& frame) {
        if (m_major == 2)
            return ConvertV22(frame);
        const std::uint16_t flags =
            m_major == 4 ? static_cast<std::uint16_t>(frame.flags << 1) : frame.flags;
        m_result.frames.emplace_back(frame.id, flags, std::string_view());
        return {};
    }

    std::string ConvertFrame(SourceFrame& frame) {
        switch (m_major) {
        case 2:
            return ConvertV22(frame);
        case 3:
            return ConvertV23(frame);
        default:
            return ConvertV24(frame);
        }
    }

    std::string ConvertV22(SourceFrame& frame) {
        if (frame.id == "CRM" || frame.id == "CDM")
            return "The file's ID3v2 tag holds a compressed or encrypted frame (" + frame.id +
                   "), which this program cannot read safely.";
        if (frame.id == "LNK")
            return "The file's ID3v2.2 tag holds a link to another file's frames (LNK), which "
                   "cannot be written back without breaking it.";
        const std::string id = Id3FrameLayouts::V23IdOfV22(frame.id);
        if (id.empty())
            return "The file's ID3v2.2 tag holds a kind of frame (" + frame.id +
                   ") that later versions have no name for, so saving would lose it.";
        if (frame.id == "PIC")
            return AddPictureFromV22(frame.held);
        return Add(id, 0, frame.held, false);
    }

    // Version 2.2 names the picture's format in three letters where 2.3 has a MIME type.
    std::string AddPictureFromV22(std::string_view data) {
        if (data.size() < 5)
            return Damaged("its PIC frame is cut short");
        std::string format(data.substr(1, 3));
        for (char& c : format)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        // "-->" marks a picture that is a link, in both versions.
        const std::string mimeType = format == "jpg"   ? "image/jpeg"
                                     : format == "-->" ? format
                                                       : "image/" + format;
        std::string body(data.substr(0, 1));
        body.reserve(data.size() + mimeType.size());
        body += mimeType;
        body += '\0';
        body += data.substr(4);
        return Add("APIC", 0, body, false);
    }

    std::string ConvertV23(SourceFrame& frame) {
        if (frame.flags & kV23Encrypted)
            return Encrypted(frame.id);
        if (frame.flags & kV23Grouped)
            return Grouped(frame.id);
        if (frame.flags & ~(kV23StatusFlags | kV23Compressed))
            return Damaged("its " + frame.id + " frame has flags its version does not define");
        if (frame.flags & kV23Compressed) {
            // The unpacked size comes first; zlib's own end mark is what is trusted.
            if (frame.held.size() < 4 || !(frame.unpacked = Inflated(frame.held.substr(4))))
                return Damaged("its " + frame.id + " frame's compressed data cannot be unpacked");
        }
        const auto flags = static_cast<std::uint16_t>(frame.flags & kV23StatusFlags);
        // Some taggers put version 2.4 frames into version 2.3 tags; those are converted as
        // they would be from a version 2.4 tag, so that their year and people show.
        if (std::string problem; AddVersion24Kind(frame, flags, &problem))
            return problem;
        return Add(frame.id, flags, frame.Data(), false);
    }

    // TDRC, TDOR, TIPL and TMCL, which version 2.3 names otherwise; false for any other kind.
    bool AddVersion24Kind(SourceFrame& frame, std::uint16_t flags, std::string* problem) {
        if (frame.id == "TDRC")
            *problem = AddRecordingTime(frame, flags);
        else if (frame.id == "TDOR")
            *problem = AddOriginalYear(frame, flags);
        else if (frame.id == "TIPL" || frame.id == "TMCL")
            *problem = CollectPeople(frame, flags);
        else
            return false;
        return true;
    }

    std::string ConvertV24(SourceFrame& frame) {
        if (frame.flags & ~kV24Defined)
            return Damaged("its " + frame.id + " frame has flags its version does not define");
        if (frame.flags & kV24Encrypted)
            return Encrypted(frame.id);
        if (frame.flags & kV24Grouped)
            return Grouped(frame.id);
        std::string problem = UnpackV24(frame);
        if (!problem.empty())
            return problem;
        const auto flags = static_cast<std::uint16_t>((frame.flags & kV24StatusFlags) << 1);
        if (frame.id == "SEEK" || frame.id == "ASPI")
            return "The file's ID3v2.4 tag holds a " + frame.id +
                   " frame, which points into the tag as the file lays it out now and cannot "
                   "be carried into a new tag.";
        if (frame.id == "SIGN")
            return "The file's ID3v2.4 tag is signed (SIGN frame), and any change would break "
                   "the signature.";
        if (AddVersion24Kind(frame, flags, &problem))
            return problem;
        if (frame.id == "TCON")
            return AddGenre(frame, flags);
        if (frame.id == "CHAP" || frame.id == "CTOC")
            return AddChapter(frame, flags);
        return Add(frame.id, flags, frame.Data(), true);
    }

    std::string UnpackV24(SourceFrame& frame) {
        // The data length indicator, before the data, says what unpacking gives; zlib's own
        // end mark is what is trusted.
        std::string_view data = frame.held;
        if (frame.flags & (kV24DataLength | kV24Compressed)) {
            if (data.size() < 4)
                return Damaged("its " + frame.id + " frame is cut short");
            data.remove_prefix(4);
        }
        if ((frame.flags & kV24Unsynchronised) || m_unsynchronised) {
            frame.unpacked = Id3v23Conversion::Resynchronised(data);
            data = *frame.unpacked;
        }
        if (frame.flags & kV24Compressed) {
            std::optional<std::string> inflated = Inflated(data);
            if (!inflated)
                return Damaged("its " + frame.id + " frame's compressed data cannot be unpacked");
            frame.unpacked = std::move(inflated);
        } else if (!frame.unpacked) {
            frame.held = data; // only the data length indicator is left out
        }
        return {};
    }

    std::string AddRecordingTime(SourceFrame& frame, std::uint16_t flags) {
        const std::optional<TimeStamp> stamp = FirstTimeStamp(frame);
        if (!stamp)
            return Add(frame.id, flags, frame.Data(), true);
        AddTextUnlessHeld("TYER", flags, stamp->year);
        if (!stamp->day.empty())
            AddTextUnlessHeld("TDAT", flags, stamp->day + stamp->month);
        if (!stamp->minute.empty())
            AddTextUnlessHeld("TIME", flags, stamp->hour + stamp->minute);
        return {};
    }

    std::string AddOriginalYear(SourceFrame& frame, std::uint16_t flags) {
        const std::optional<TimeStamp> stamp = FirstTimeStamp(frame);
        if (!stamp)
            return Add(frame.id, flags, frame.Data(), true);
        AddTextUnlessHeld("TORY", flags, stamp->year);
        return {};
    }

    // A tag that holds both a time stamp and the frame it becomes keeps its own frame.
    void AddTextUnlessHeld(const std::string& id, std::uint16_t flags, const std::string& text) {
        if (m_sourceIds.count(id) == 0)
            m_result.frames.push_back(TextFrame(id, flags, text));
    }

    static std::optional<TimeStamp> FirstTimeStamp(const SourceFrame& frame) {
        const std::optional<std::vector<std::string>> values =
            Id3Text::TextFrameValues(frame.Data());
        return values ? TimeStamp::Parse(values->front()) : std::nullopt;
    }

    // Version 2.3 has one list of involved people where 2.4 has two.
    std::string CollectPeople(const SourceFrame& frame, std::uint16_t flags) {
        std::optional<std::vector<std::string>> values = Id3Text::TextFrameValues(frame.Data());
        if (!values)
            return Damaged("its " + frame.id + " frame holds no valid text");
        if (!m_peopleAt) {
            m_peopleAt = m_result.frames.size();
            m_peopleFlags = flags;
        }
        for (std::string& value : *values)
            m_people.push_back(std::move(value));
        return {};
    }

    void AddInvolvedPeople() {
        if (!m_peopleAt)
            return;
        const Id3Text::Encoding encoding = Id3Text::EncodingFor(m_people);
        std::string body(1, static_cast<char>(encoding));
        for (const std::string& value : m_people)
            body += Id3Text::Encode(encoding, value, true);
        m_result.frames.insert(m_result.frames.begin() + static_cast<long>(*m_peopleAt),
                               Id3v23Frame("IPLS", m_peopleFlags, body));
    }

    // Version 2.4 lists genres as values, numbers standing for ID3v1 genres; version 2.3 puts
    // numbers in parentheses before one text. So of several genres, those the ID3v1 list names
    // become numbers too, and only what is left is joined with "/". A value already written
    // the version 2.3 way, "(20)Alternative", is read so by every reader and stays as it is.
    std::string AddGenre(const SourceFrame& frame, std::uint16_t flags) {
        const std::optional<std::vector<std::string>> held = Id3Text::TextFrameValues(frame.Data());
        if (!held)
            return Damaged("its TCON frame holds no valid text");
        const std::vector<std::string>& values = *held;
        std::string references;
        std::vector<std::string> texts;
        for (const std::string& value : values) {
            const int row =
                values.size() > 1 ? GenreTable::RowForGenreName(value) : GenreTable::kNoRow;
            if (IsDigits(value) || value == "RX" || value == "CR")
                references += "(" + value + ")";
            else if (row != GenreTable::kNoRow && row != GenreTable::kNoneRow)
                references += "(" + std::to_string(row) + ")";
            else if (!value.empty())
                texts.push_back(value);
        }
        m_result.frames.push_back(
            TextFrame("TCON", flags, references + Id3Text::JoinValues(texts)));
        return {};
    }

    // A chapter's own fields, then frames of the tag's version, converted like the tag's.
    std::string AddChapter(const SourceFrame& frame, std::uint16_t flags) {
        const std::string_view data = frame.Data();
        std::size_t pos = data.find('\0');
        if (pos == std::string::npos)
            return Damaged("its " + frame.id + " frame is cut short");
        ++pos;
        if (frame.id == "CHAP") {
            pos += 16; // start and end times and offsets
        } else {
            if (data.size() < pos + 2)
                return Damaged("its CTOC frame is cut short");
            std::size_t entries = static_cast<unsigned char>(data[pos + 1]);
            for (pos += 2; entries > 0; --entries) {
                const std::size_t end = data.find('\0', pos);
                if (end == std::string::npos)
                    return Damaged("its CTOC frame is cut short");
                pos = end + 1;
            }
        }
        if (pos > data.size())
            return Damaged("its " + frame.id + " frame is cut short");
        Id3v23Conversion::Result inner = Conversion(m_major, false, true).Run(data.substr(pos));
        if (!inner.problem.empty())
            return inner.problem;
        std::string body(data.substr(0, pos));
        for (const Id3v23Frame& innerFrame : inner.frames)
            body += innerFrame.Bytes();
        m_result.frames.emplace_back(frame.id, flags, body);
        return {};
    }

    // BODY is copied once, into the frame; it may be a picture of megabytes.
    std::string Add(const std::string& id, std::uint16_t flags, std::string_view body,
                    bool joinValues) {
        // A frame whose fields cannot be walked is passed on unchanged: the screen that
        // follows says what is wrong with it.
        const std::optional<std::string> recoded = Id3FrameRecoding::Recoded(id, body, joinValues);
        m_result.frames.emplace_back(id, flags, recoded ? std::string_view(*recoded) : body);
        return {};
    }

    static std::string Encrypted(const std::string& id) {
        return "The file's ID3v2 tag holds an encrypted frame (" + id +
               "), which this program cannot read.";
    }

    static std::string Grouped(const std::string& id) {
        return "The file's ID3v2 tag holds a frame bound to a group (" + id +
               "), which cannot be written back without losing that bond.";
    }

    unsigned m_major;
    bool m_unsynchronised;
    bool m_inChapter;
    Id3v23Conversion::Result m_result;
    std::optional<std::size_t> m_peopleAt;
    std::uint16_t m_peopleFlags = 0;
    std::vector<std::string> m_people;
    std::set<std::string> m_sourceIds; // of the kinds time stamps become
};

} // namespace

Id3v23Conversion::Result Id3v23Conversion::Convert(unsigned majorVersion, std::string_view body,
                                                   bool unsynchronised) {
    return Conversion(majorVersion, unsynchronised).Run(body);
}

std::string Id3v23Conversion::Resynchronised(std::string_view raw) {
    std::string synced;
    synced.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        synced.push_back(raw[i]);
        if (static_cast<unsigned char>(raw[i]) == 0xFF && i + 1 < raw.size() && raw[i + 1] == 0)
            ++i;
    }
    return synced;
}
