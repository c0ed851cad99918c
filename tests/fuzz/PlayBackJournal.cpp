#include "PlayBackJournal.h"

#include "FuzzSupport.h"
#include "JournalFolder.h"
#include "JournalRecord.h"
#include "JournalRecovery.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <zlib.h>

namespace {

using FuzzSupport::BrokenPromise;
using FuzzSupport::ReadAll;
using FuzzSupport::WriteAll;

namespace fs = std::filesystem;

// An ID3v2.3 tag with a title, room to spare, and audio after it: what the target holds.
const std::string kTag = std::string("ID3\x03\x00\x00\x00\x00\x00\x1E", 10) +
                         std::string("TIT2\x00\x00\x00\x04\x00\x00\x00Old", 14) +
                         std::string(16, '\0');
const std::string kAudio = [] {
    std::string audio;
    for (int frame = 0; frame < 2; ++frame)
        audio += std::string("\xFF\xFB\x90\x64", 4) + std::string(413, static_cast<char>(frame));
    return audio;
}();

void PutNumber(std::string& out, std::size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t NumberAt(const std::string& bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::set<std::string> Everything(const std::string& folder) {
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        paths.insert(entry.path().string());
    return paths;
}

// What a playback makes of ORIGINAL: the old bytes back, and the file cut to its old size.
std::string PlayedBack(std::string file, const JournalRecord& record) {
    for (const JournalRecord::Region& region : record.regions) {
        if (file.size() < region.offset + region.oldBytes.size())
            file.resize(region.offset + region.oldBytes.size(), '\0');
        file.replace(region.offset, region.oldBytes.size(), region.oldBytes);
    }
    file.resize(record.before.size, '\0');
    return file;
}

} // namespace

const std::string& PlayBackJournal::FormatLine() {
    static const std::string line = "tageditor rollback journal 1\n";
    return line;
}

PlayBackJournal::PlayBackJournal(std::string scratchFolder)
    : m_folder(std::move(scratchFolder)), m_target(m_folder + "/song.mp3"),
      m_other(m_folder + "/other.mp3") {
    ::setenv("XDG_STATE_HOME", m_folder.c_str(), 1);
}

std::string PlayBackJournal::SeedJournal() const {
    WriteAll(m_target, kTag + kAudio);
    struct stat status {};
    ::stat(m_target.c_str(), &status);
    JournalRecord record;
    record.path = m_target;
    record.before = FileIdentity::Of(status);
    record.sizeAfter = record.before.size + 128;
    std::string newTag = kTag;
    newTag.replace(21, 3, "New");
    record.regions.push_back({0, kTag, newTag});
    record.regions.push_back({kTag.size() + kAudio.size(), "", "TAG" + std::string(125, 'v')});
    return record.Encode();
}

void PlayBackJournal::Run(const std::uint8_t* data, std::size_t size) const {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string original = kTag + kAudio;
    WriteAll(m_target, original);
    WriteAll(m_other, original);
    JournalFolder folder = JournalFolder::ForSaving();
    if (!folder.IsOpen())
        BrokenPromise("no journal folder:", folder.Problem());
    // The recovery takes the folder for itself.
    folder.Release();
    struct stat status {};
    ::stat(m_target.c_str(), &status);

    // The path is the target's, whatever the input named.
    std::string journal = FormatLine();
    journal.append(4, '\0');
    PutNumber(journal, FormatLine().size(), m_target.size(), 4);
    journal += m_target;
    const std::size_t fieldsAt = journal.size();
    std::size_t rest = 0;
    if (input.compare(0, FormatLine().size(), FormatLine()) == 0 &&
        input.size() >= FormatLine().size() + 4) {
        const std::uint64_t pathSize = NumberAt(input, FormatLine().size(), 4);
        rest = std::min<std::uint64_t>(input.size(), FormatLine().size() + 4 + pathSize);
    }
    // Its last four bytes are its checksum, made anew below.
    journal.append(input, rest,
                   input.size() - rest - std::min<std::size_t>(input.size() - rest, 4));
    // The inode field, the second after the path, made the target's on request.
    if (journal.size() >= fieldsAt + 16 && (journal[fieldsAt] & 1))
        PutNumber(journal, fieldsAt + 8, status.st_ino, 8);
    const auto crc = ::crc32(0, reinterpret_cast<const Bytef*>(journal.data()),
                             static_cast<uInt>(journal.size()));
    journal.append(4, '\0');
    PutNumber(journal, journal.size() - 4, crc, 4);

    const std::string journalPath = folder.Path() + "/" + JournalFolder::JournalNameFor({});
    WriteAll(journalPath, journal);
    const std::set<std::string> before = Everything(m_folder);
    JournalRecovery::PlayBackAll();
    const std::set<std::string> after = Everything(m_folder);
    for (const std::string& path : after)
        if (before.count(path) == 0)
            BrokenPromise("the recovery made a file:", path);
    if (ReadAll(m_other) != original)
        BrokenPromise("the recovery wrote a file that is not the journal's");
    const std::string now = ReadAll(m_target);
    if (now != original) {
        const std::optional<JournalRecord> record = JournalRecord::Decode(journal);
        if (!record || now != PlayedBack(original, *record))
            BrokenPromise("the target holds what no playback of its journal makes");
    }
    fs::remove(journalPath);
}
