#include "Id3Inspector.h"

#include "Id3FrameScreen.h"
#include "Id3Numbers.h"
#include "Id3Sizes.h"
#include "Id3v23Conversion.h"
#include "PosixFile.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

// Zeros that start a file are looked through this far for a tag hidden behind them.
constexpr std::uint64_t kLoosePaddingScan = 1 << 20;

constexpr unsigned kFlagUnsync = 0x80;
constexpr unsigned kFlagV2Compressed = 0x40;
constexpr unsigned kFlagExtended = 0x40;
constexpr unsigned kFlagExperimental = 0x20;
constexpr unsigned kFlagV4Footer = 0x10;

std::string Unreadable(TagInspection& result, const std::string& reason) {
    result.readError = reason;
    return "The file could not be read: " + reason;
}

std::string ReadFailure(TagInspection& result) {
    return Unreadable(result, std::strerror(errno));
}

std::string Damaged(const std::string& what) {
    return "The file's ID3v2 tag is damaged: " + what + ".";
}

// Walks the header, the extended header and the frames of one tag held in memory, and turns
// the frames into ID3v2.3 frames that id3lib may be given.
class TagBodyReader {
public:
    explicit TagBodyReader(TagInspection& result) : m_result(result) {}

    std::string Read() {
        const auto* header = reinterpret_cast<const std::uint8_t*>(m_result.tagBytes.data());
        m_major = header[3];
        m_flags = header[5];
        std::string problem = CheckVersionAndFlags(header[4]);
        if (!problem.empty())
            return problem;
        const std::size_t footer = (m_flags & kFlagV4Footer) ? Id3Sizes::kId3v2Footer : 0;
        std::string_view raw(m_result.tagBytes);
        raw = raw.substr(Id3Sizes::kId3v2Header, raw.size() - Id3Sizes::kId3v2Header - footer);
        // Version 2.4 unsynchronises frame by frame; earlier versions the whole tag.
        const bool wholeTagUnsync = (m_flags & kFlagUnsync) && m_major < 4;
        const std::string resynced =
            wholeTagUnsync ? Id3v23Conversion::Resynchronised(raw) : std::string();
        const std::string_view body = wholeTagUnsync ? std::string_view(resynced) : raw;
        std::size_t pos = 0;
        if (m_flags & kFlagExtended) {
            problem = SkipExtendedHeader(body, &pos);
            if (!problem.empty())
                return problem;
        }
        Id3v23Conversion::Result converted = Id3v23Conversion::Convert(
            m_major, body.substr(pos), (m_flags & kFlagUnsync) && m_major == 4);
        // A frame that is refused refuses the tag, but the frames that pass are still read,
        // so that a protected file shows what it holds.
        problem = converted.problem;
        m_result.frames.reserve(converted.frames.size());
        for (Id3v23Frame& frame : converted.frames) {
            std::string frameProblem = Id3FrameScreen::Check(frame.Id(), frame.Body());
            if (frameProblem.empty())
                m_result.frames.push_back(std::move(frame).Bytes());
            else if (problem.empty())
                problem = std::move(frameProblem);
        }
        if (problem.empty() && !(m_flags & kFlagV4Footer))
            EndAtPadding(raw, body.size() - converted.paddingSize, wholeTagUnsync);
        return problem;
    }

private:
    std::string CheckVersionAndFlags(unsigned revision) const {
        if (m_major < 2 || m_major > 4 || revision != 0)
            return "The file's ID3v2 tag is of a version (2." + std::to_string(m_major) + "." +
                   std::to_string(revision) + ") this program does not know.";
        if (m_major == 2 && (m_flags & kFlagV2Compressed))
            return "The file's ID3v2 tag is compressed, which this program cannot read safely.";
        unsigned defined = kFlagUnsync;
        if (m_major >= 3)
            defined |= kFlagExtended | kFlagExperimental;
        if (m_major == 4)
            defined |= kFlagV4Footer;
        if (m_flags & ~defined)
            return Damaged("its header has flags its version does not define");
        return {};
    }

    // What the extended header holds (a check sum, restrictions) describes the tag as it is
    // now; a Save writes a new tag without one.
    std::string SkipExtendedHeader(std::string_view body, std::size_t* pos) const {
        if (body.size() < 6)
            return Damaged("its extended header is cut short");
        const std::string_view sizeBytes = body.substr(0, 4);
        // A 2.4 size with a top bit set is no size at all: skipping by it would take frames
        // for padding, or padding for frames.
        if (m_major == 4 && !Id3Numbers::IsSyncsafe(sizeBytes))
            return Damaged("its extended header is malformed");
        // Version 2.3 counts the header's size without its size field, 2.4 with it.
        const std::uint64_t size = m_major == 3 ? 4ull + Id3Numbers::BigEndian(sizeBytes)
                                                : Id3Numbers::Syncsafe(sizeBytes);
        if (size < 6 || size > body.size())
            return Damaged("its extended header is malformed");
        *pos = static_cast<std::size_t>(size);
        return {};
    }

    // A declared size can run past the frames and their zero padding into the audio: the
    // tag ends where its zeros end, so that a Save never takes the audio for padding (a
    // footer vouches for the size). RAW is the tag after its header; FRAMESEND is where the
    // frames end in it, or in its resynchronised form.
    void EndAtPadding(std::string_view raw, std::size_t framesEnd, bool resynchronised) {
        const std::size_t padding = resynchronised ? RawOffset(raw, framesEnd) : framesEnd;
        std::size_t end = padding;
        while (end < raw.size() && raw[end] == 0)
            ++end;
        TagLayout& layout = m_result.layout;
        layout.tagSize = Id3Sizes::kId3v2Header + end;
        m_result.tagBytes.resize(layout.tagSize);
    }

    // Where the byte at SYNCEDOFFSET of RAW's resynchronised form lies in RAW.
    static std::size_t RawOffset(std::string_view raw, std::size_t syncedOffset) {
        std::size_t i = 0;
        for (std::size_t kept = 0; kept < syncedOffset && i < raw.size(); ++kept) {
            if (static_cast<unsigned char>(raw[i]) == 0xFF && i + 1 < raw.size() && raw[i + 1] == 0)
                ++i;
            ++i;
        }
        return i;
    }

    TagInspection& m_result;
    unsigned m_major = 0;
    unsigned m_flags = 0;
};

// A tag behind the zeros that start the file would be kept as audio, and a Save would stack the
// new tag on it. A second tag after the first (a tagger prepended a new one and left the old)
// is audio to every reader, which shows the first, and a Save keeps it as it is.
std::string CheckFileStart(const PosixFile& file, TagInspection& result) {
    if (result.layout.tagSize > 0)
        return {};
    std::uint64_t pos = 0;
    const std::uint64_t scanEnd = std::min(result.layout.fileSize, kLoosePaddingScan);
    char chunk[4096];
    while (pos < scanEnd) {
        const long long got =
            file.ReadAt(pos, chunk, std::min<std::uint64_t>(sizeof chunk, scanEnd - pos));
        if (got <= 0)
            return got < 0 ? ReadFailure(result) : std::string();
        std::size_t i = 0;
        while (i < static_cast<std::size_t>(got) && chunk[i] == 0)
            ++i;
        pos += i;
        if (i < static_cast<std::size_t>(got))
            break;
    }
    char id[3];
    const long long got = file.ReadAt(pos, id, sizeof id);
    if (got < 0)
        return ReadFailure(result);
    if (got != sizeof id || std::memcmp(id, "ID3", sizeof id) != 0)
        return {};
    return "The file's ID3v2 tag is not at its start, where it belongs.";
}

std::string FindId3v1(const PosixFile& file, TagInspection& result) {
    TagLayout& layout = result.layout;
    layout.audioBegin = layout.tagSize;
    layout.audioEnd = layout.fileSize;
    if (layout.fileSize - layout.tagSize < Id3Sizes::kId3v1Tag)
        return {};
    char id[3];
    const long long got = file.ReadAt(layout.fileSize - Id3Sizes::kId3v1Tag, id, sizeof id);
    if (got < 0)
        return ReadFailure(result);
    if (got != sizeof id || std::memcmp(id, "TAG", sizeof id) != 0)
        return {};
    result.id3v1.resize(Id3Sizes::kId3v1Tag);
    if (file.ReadAt(layout.fileSize - Id3Sizes::kId3v1Tag, result.id3v1.data(),
                    Id3Sizes::kId3v1Tag) != static_cast<long long>(Id3Sizes::kId3v1Tag))
        return ReadFailure(result);
    layout.hasId3v1 = true;
    layout.audioEnd = layout.fileSize - Id3Sizes::kId3v1Tag;
    return {};
}

// What the ID3v2 standards take for a tag header; anything else starting with "ID3" would be
// kept as audio and a new tag stacked in front of it. The tag's whole size, footer included,
// or 0.
std::uint64_t DeclaredTagSize(const std::uint8_t* header, std::size_t size) {
    if (size < Id3Sizes::kId3v2Header)
        return 0;
    const std::string_view sizeBytes(reinterpret_cast<const char*>(header) + 6, 4);
    if (header[3] == 0xFF || header[4] == 0xFF || !Id3Numbers::IsSyncsafe(sizeBytes))
        return 0;
    const bool footer = header[3] == 4 && (header[5] & kFlagV4Footer);
    return Id3Sizes::kId3v2Header + Id3Numbers::Syncsafe(sizeBytes) +
           (footer ? Id3Sizes::kId3v2Footer : 0);
}

std::string ReadTag(const PosixFile& file, TagInspection& result) {
    std::uint8_t header[Id3Sizes::kId3v2Header];
    const long long got = file.ReadAt(0, header, sizeof header);
    if (got < 0)
        return ReadFailure(result);
    if (got < 3 || std::memcmp(header, "ID3", 3) != 0)
        return {};
    const std::uint64_t size = DeclaredTagSize(header, static_cast<std::size_t>(got));
    if (size == 0)
        return Damaged("its header is malformed");
    if (size > result.layout.fileSize)
        return Damaged("it claims to be longer than the file");
    if (size > Id3Sizes::kLargestId3v2Tag)
        return "The file's ID3v2 tag is larger than this program can handle.";
    result.tagBytes.resize(size);
    const long long read = file.ReadAt(0, result.tagBytes.data(), size);
    if (read < 0)
        return ReadFailure(result);
    if (static_cast<std::uint64_t>(read) != size)
        return Unreadable(result, "It became shorter while it was read.");
    result.layout.tagSize = size;
    if (size >= Id3Sizes::kId3v2Header + Id3Sizes::kId3v2Footer && header[3] == 4 &&
        (header[5] & kFlagV4Footer) &&
        result.tagBytes.compare(size - Id3Sizes::kId3v2Footer, 3, "3DI") != 0)
        return Damaged("its footer is missing");
    return TagBodyReader(result).Read();
}

} // namespace

TagInspection Id3Inspector::Inspect(const std::string& path) {
    TagInspection result;
    std::string reason;
    const PosixFile file = PosixFile::OpenRegularForReading(path, &reason);
    if (!file.IsOpen()) {
        result.problem = Unreadable(result, reason);
        return result;
    }
    return Inspect(file);
}

TagInspection Id3Inspector::Inspect(const PosixFile& file) {
    TagInspection result;
    struct stat status {};
    if (!file.Stat(&status)) {
        result.problem = ReadFailure(result);
        return result;
    }
    result.layout.fileSize = static_cast<std::uint64_t>(status.st_size);
    result.identity = FileIdentity::Of(status);
    result.problem = ReadTag(file, result);
    if (result.problem.empty())
        result.problem = CheckFileStart(file, result);
    if (result.problem.empty())
        result.problem = FindId3v1(file, result);
    if (!result.problem.empty())
        result.tagBytes.clear();
    return result;
}
