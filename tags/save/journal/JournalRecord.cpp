#include "JournalRecord.h"

#include "Id3Sizes.h"

#include <zlib.h>

namespace {

constexpr char kFormatLine[] = "tageditor rollback journal 1\n";
constexpr std::size_t kFormatLineSize = sizeof kFormatLine - 1;
constexpr std::uint32_t kMaxPathSize = 65536;
// An ID3v2 tag and an ID3v1 tag.
constexpr std::uint32_t kMaxRegions = 2;
// Far beyond any file, and far enough below 2^64 that no offset plus a region's size overflows.
constexpr std::uint64_t kMaxFileSize = 1ull << 62;

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutBytes(std::string& out, const std::string& bytes) {
    PutNumber(out, bytes.size(), 4);
    out += bytes;
}

std::uint32_t Checksum(const char* data, std::size_t size) {
    return static_cast<std::uint32_t>(
        ::crc32(0, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

// Reads the fields back in the order they were put, failing on the first that runs past the end.
class FieldReader {
public:
    FieldReader(const std::string& bytes, std::size_t begin, std::size_t end)
        : m_bytes(bytes), m_end(end), m_pos(begin) {}

    bool Number(std::uint64_t* value, int bytes) {
        if (m_end - m_pos < static_cast<std::size_t>(bytes))
            return false;
        *value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            *value = (*value << 8) | static_cast<std::uint8_t>(m_bytes[m_pos + i]);
        m_pos += bytes;
        return true;
    }

    bool Signed(std::int64_t* value) {
        std::uint64_t raw = 0;
        if (!Number(&raw, 8))
            return false;
        *value = static_cast<std::int64_t>(raw);
        return true;
    }

    bool Bytes(std::string* bytes, std::uint64_t limit) {
        std::uint64_t size = 0;
        if (!Number(&size, 4) || size > limit || m_end - m_pos < size)
            return false;
        bytes->assign(m_bytes, m_pos, size);
        m_pos += size;
        return true;
    }

    bool AtEnd() const { return m_pos == m_end; }

private:
    const std::string& m_bytes;
    std::size_t m_end;
    std::size_t m_pos;
};

// The regions lie where an in-place Save puts them: within the file as it was, or running on
// from its old end, and within the file as it is afterwards.
bool Consistent(const JournalRecord& record) {
    if (record.sizeAfter < record.before.size || record.sizeAfter > kMaxFileSize)
        return false;
    for (const JournalRecord::Region& region : record.regions) {
        const std::uint64_t oldEnd = region.offset + region.oldBytes.size();
        const bool runsOn = region.oldBytes.size() < region.newBytes.size();
        if (region.offset > record.sizeAfter || region.oldBytes.size() > region.newBytes.size() ||
            oldEnd > record.before.size || (runsOn && oldEnd != record.before.size) ||
            region.offset + region.newBytes.size() > record.sizeAfter)
            return false;
    }
    return true;
}

} // namespace

std::string JournalRecord::Encode() const {
    std::string out(kFormatLine);
    PutBytes(out, path);
    PutNumber(out, before.device, 8);
    PutNumber(out, before.inode, 8);
    PutNumber(out, before.size, 8);
    PutNumber(out, static_cast<std::uint64_t>(before.modifiedSeconds), 8);
    PutNumber(out, static_cast<std::uint64_t>(before.modifiedNanoseconds), 8);
    PutNumber(out, sizeAfter, 8);
    PutNumber(out, regions.size(), 4);
    for (const Region& region : regions) {
        PutNumber(out, region.offset, 8);
        PutBytes(out, region.oldBytes);
        PutBytes(out, region.newBytes);
    }
    PutNumber(out, Checksum(out.data(), out.size()), 4);
    return out;
}

std::optional<JournalRecord> JournalRecord::Decode(const std::string& bytes) {
    if (bytes.size() < kFormatLineSize + 4 || bytes.compare(0, kFormatLineSize, kFormatLine) != 0)
        return std::nullopt;
    const std::size_t bodyEnd = bytes.size() - 4;
    std::uint64_t stored = 0;
    if (!FieldReader(bytes, bodyEnd, bytes.size()).Number(&stored, 4) ||
        stored != Checksum(bytes.data(), bodyEnd))
        return std::nullopt;

    JournalRecord record;
    FieldReader fields(bytes, kFormatLineSize, bodyEnd);
    std::uint64_t regionCount = 0;
    if (!fields.Bytes(&record.path, kMaxPathSize) || !fields.Number(&record.before.device, 8) ||
        !fields.Number(&record.before.inode, 8) || !fields.Number(&record.before.size, 8) ||
        !fields.Signed(&record.before.modifiedSeconds) ||
        !fields.Signed(&record.before.modifiedNanoseconds) ||
        !fields.Number(&record.sizeAfter, 8) || !fields.Number(&regionCount, 4) ||
        regionCount > kMaxRegions)
        return std::nullopt;
    record.regions.resize(regionCount);
    for (Region& region : record.regions)
        if (!fields.Number(&region.offset, 8) ||
            !fields.Bytes(&region.oldBytes, Id3Sizes::kLargestId3v2Tag) ||
            !fields.Bytes(&region.newBytes, Id3Sizes::kLargestId3v2Tag))
            return std::nullopt;
    if (!fields.AtEnd() || record.path.empty() || !Consistent(record))
        return std::nullopt;
    return record;
}
