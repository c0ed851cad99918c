#include "Id3Inspector.h"

#include "Id3FrameScreen.h"
#include "PosixFile.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kHeaderSize = 10;
constexpr std::size_t kFrameHeaderSizeV3 = 10;
constexpr std::size_t kFrameHeaderSizeV2 = 6;
constexpr std::uint64_t kId3v1Size = 128;
// Zeros after a tag are looked through this far for a second tag hidden behind them.
constexpr std::uint64_t kLoosePaddingScan = 1 << 20;

constexpr unsigned kFlagUnsync = 0x80;
constexpr unsigned kFlagV2Compressed = 0x40;
constexpr unsigned kFlagV3Extended = 0x40;
constexpr unsigned kFlagV3Experimental = 0x20;
constexpr unsigned kFrameFlagsV3Packed = 0x00E0; // compressed, encrypted, grouped
constexpr unsigned kFrameFlagsV3Defined = 0xE0E0;

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

std::uint32_t BigEndian(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

// Undoes unsynchronisation the way id3lib reads it: a 0x00 after a 0xFF is dropped.
std::string Resynchronised(std::string_view raw) {
    std::string synced;
    synced.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        synced.push_back(raw[i]);
        if (static_cast<std::uint8_t>(raw[i]) == 0xFF && i + 1 < raw.size() && raw[i + 1] == 0)
            ++i;
    }
    return synced;
}

bool IsFrameIdCharacter(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Walks the header and frames of one tag held in memory.
class TagWalk {
public:
    explicit TagWalk(TagInspection& result) : m_result(result) {}

    std::string Check() {
        const auto* header = reinterpret_cast<const std::uint8_t*>(m_result.tagBytes.data());
        m_major = header[3];
        const unsigned flags = header[5];
        std::string problem = CheckVersionAndFlags(header[4], flags);
        if (!problem.empty())
            return problem;
        const std::string_view raw(m_result.tagBytes.data() + kHeaderSize,
                                   m_result.tagBytes.size() - kHeaderSize);
        const std::string body = (flags & kFlagUnsync) ? Resynchronised(raw) : std::string(raw);
        std::size_t pos = 0;
        if (m_major == 3 && (flags & kFlagV3Extended)) {
            problem = SkipExtendedHeader(body, flags, &pos);
            if (!problem.empty())
                return problem;
        }
        return CheckFrames(body, pos);
    }

private:
    std::string CheckVersionAndFlags(unsigned revision, unsigned flags) const {
        if (m_major == 4)
            return "The file's ID3v2.4 tag cannot be written without losing data.";
        // Version 2.2.1 is where id3lib reaches its broken compressed-frame code.
        if ((m_major != 2 && m_major != 3) || revision != 0)
            return "The file's ID3v2 tag is of a version (2." + std::to_string(m_major) + "." +
                   std::to_string(revision) + ") this program cannot write back.";
        if (m_major == 2 && (flags & kFlagV2Compressed))
            return "The file's ID3v2 tag is compressed, which this program cannot read safely.";
        const unsigned defined =
            m_major == 2 ? kFlagUnsync : kFlagUnsync | kFlagV3Extended | kFlagV3Experimental;
        if (flags & ~defined)
            return Damaged("its header has flags its version does not define");
        return {};
    }

    // id3lib skips a fixed length whatever size the extended header states, and skips it
    // before undoing unsynchronisation: only the two plain forms line up with what it reads.
    std::string SkipExtendedHeader(const std::string& body, unsigned flags,
                                   std::size_t* pos) const {
        if (flags & kFlagUnsync)
            return Damaged("it combines an extended header with unsynchronisation");
        if (body.size() < 6)
            return Damaged("its extended header is cut short");
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(body.data());
        const std::uint32_t size = BigEndian(bytes, 4);
        const std::uint32_t extendedFlags = BigEndian(bytes + 4, 2);
        const bool plain = size == 6 && extendedFlags == 0;
        const bool withCrc = size == 10 && extendedFlags == 0x8000;
        if (!plain && !withCrc)
            return Damaged("its extended header is malformed");
        if (body.size() < 4 + size)
            return Damaged("its extended header is cut short");
        *pos = 4 + size;
        return {};
    }

    std::string CheckFrames(const std::string& body, std::size_t pos) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(body.data());
        const std::size_t idSize = m_major == 2 ? 3 : 4;
        const std::size_t headerSize = m_major == 2 ? kFrameHeaderSizeV2 : kFrameHeaderSizeV3;
        // id3lib stops at the first zero byte where a frame would start: the padding.
        while (pos < body.size() && bytes[pos] != 0) {
            // id3lib wants ten bytes for any frame header, even a six-byte version 2 one,
            // and silently drops a frame that has fewer.
            if (body.size() - pos < kFrameHeaderSizeV3)
                return Damaged("its last frame is cut short");
            for (std::size_t i = 0; i < idSize; ++i)
                if (!IsFrameIdCharacter(bytes[pos + i]))
                    return Damaged("a frame has a malformed name");
            const std::string id(body, pos, idSize);
            const std::size_t size = BigEndian(bytes + pos + idSize, idSize);
            if (m_major == 3) {
                const unsigned flags = BigEndian(bytes + pos + 8, 2);
                if (flags & kFrameFlagsV3Packed)
                    return "The file's ID3v2 tag holds a compressed or encrypted frame (" + id +
                           "), which this program cannot read safely.";
                if (flags & ~kFrameFlagsV3Defined)
                    return Damaged("its " + id + " frame has flags its version does not define");
            }
            if (size > body.size() - pos - headerSize)
                return Damaged("its " + id + " frame runs past the end of the tag");
            std::string problem =
                Id3FrameScreen::Check(id, m_major, bytes + pos + headerSize, size);
            if (!problem.empty())
                return problem;
            if (++m_result.frameCount > Id3Inspector::kMaxFrames)
                return Damaged("it holds more frames than any real tag");
            pos += headerSize + size;
        }
        m_result.layout.paddingSize = body.size() - pos;
        return {};
    }

    TagInspection& m_result;
    unsigned m_major = 0;
};

// A second tag right after the first, or a tag behind the zeros that follow the first or
// start the file, would be parsed into the same tag object or kept as audio, and a Save
// would stack the new tag on it.
std::string CheckAfterTag(const PosixFile& file, TagInspection& result) {
    const TagLayout& layout = result.layout;
    std::uint64_t pos = layout.tagSize;
    const std::uint64_t scanEnd = std::min(layout.fileSize, pos + kLoosePaddingScan);
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
    return layout.tagSize > 0 ? "The file holds more than one ID3v2 tag."
                              : "The file's ID3v2 tag is not at its start, where it belongs.";
}

std::string FindId3v1(const PosixFile& file, TagInspection& result) {
    TagLayout& layout = result.layout;
    layout.audioBegin = layout.tagSize;
    layout.audioEnd = layout.fileSize;
    if (layout.fileSize - layout.tagSize < kId3v1Size)
        return {};
    char id[3];
    const long long got = file.ReadAt(layout.fileSize - kId3v1Size, id, sizeof id);
    if (got < 0)
        return ReadFailure(result);
    if (got == sizeof id && std::memcmp(id, "TAG", sizeof id) == 0) {
        layout.hasId3v1 = true;
        layout.audioEnd = layout.fileSize - kId3v1Size;
    }
    return {};
}

// What id3lib itself takes for a tag header; anything else starting with "ID3" would be kept
// as audio and a new tag stacked in front of it. The tag's whole size, or 0.
std::uint64_t DeclaredTagSize(const std::uint8_t* header, std::size_t size) {
    if (size < kHeaderSize || header[3] == 0xFF || header[4] == 0xFF ||
        (header[6] | header[7] | header[8] | header[9]) & 0x80)
        return 0;
    return kHeaderSize + ((header[6] << 21) | (header[7] << 14) | (header[8] << 7) | header[9]);
}

std::string ReadTag(const PosixFile& file, TagInspection& result) {
    std::uint8_t header[kHeaderSize];
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
    if (size > Id3Inspector::kMaxTagSize)
        return "The file's ID3v2 tag is larger than this program can handle.";
    result.tagBytes.resize(size);
    const long long read = file.ReadAt(0, result.tagBytes.data(), size);
    if (read < 0)
        return ReadFailure(result);
    if (static_cast<std::uint64_t>(read) != size)
        return Unreadable(result, "It became shorter while it was read.");
    result.layout.tagSize = size;
    return TagWalk(result).Check();
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
        result.problem = CheckAfterTag(file, result);
    if (result.problem.empty())
        result.problem = FindId3v1(file, result);
    if (!result.problem.empty()) {
        result.tagBytes.clear();
        result.frameCount = 0;
    }
    return result;
}

TagInspection Id3Inspector::InspectTag(std::string tagBytes) {
    TagInspection result;
    result.tagBytes = std::move(tagBytes);
    result.layout.fileSize = result.layout.tagSize = result.tagBytes.size();
    const auto* header = reinterpret_cast<const std::uint8_t*>(result.tagBytes.data());
    if (result.tagBytes.compare(0, 3, "ID3") != 0 ||
        DeclaredTagSize(header, result.tagBytes.size()) != result.tagBytes.size())
        result.problem = Damaged("its header is malformed");
    else
        result.problem = TagWalk(result).Check();
    return result;
}
