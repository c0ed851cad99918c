#include "JournalRecovery.h"

#include "Id3Sizes.h"
#include "JournalFolder.h"
#include "JournalPlayback.h"
#include "PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Two tags' old and new bytes, the path and the fields.
constexpr std::uint64_t kMaxJournalSize = 4 * Id3Sizes::kLargestId3v2Tag + (1 << 20);

const char* const kRestored =
    "A save of this file was interrupted; its old tags have been put back.";
const char* const kChanged = "A save of this file was interrupted, and the file has been changed "
                             "since, so its old tags were not put back.";
const char* const kGone = "A save of this file was interrupted, and the file has been moved, "
                          "replaced or deleted since, so its old tags were not put back.";
const char* const kFailed = "A save of this file was interrupted, and its old tags could not be "
                            "put back: %s. The next start will try again.";

std::optional<std::string> ReadJournal(const std::string& path) {
    const PosixFile journal(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (!journal.IsOpen() || !journal.Stat(&status))
        return std::nullopt;
    const auto size = static_cast<std::uint64_t>(status.st_size);
    std::string bytes(std::min(size, kMaxJournalSize + 1), '\0');
    if (journal.ReadAt(0, bytes.data(), bytes.size()) != static_cast<long long>(bytes.size()))
        return std::nullopt;
    return bytes;
}

// A file on a disk that is not mounted now looks deleted, but its folder is gone too.
bool FolderExists(const std::string& path) {
    struct stat status {};
    const std::string folder = path.substr(0, std::max<std::size_t>(path.rfind('/'), 1));
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

RecoveryReport Report(RecoveryReport::Outcome outcome, const std::string& path,
                      const std::string& message) {
    return {outcome, path, message};
}

RecoveryReport FailedReport(const std::string& path) {
    std::string message = kFailed;
    message.replace(message.find("%s"), 2, std::strerror(errno));
    return Report(RecoveryReport::Outcome::Failed, path, message);
}

} // namespace

std::vector<RecoveryReport> JournalRecovery::PlayBackAll() {
    std::vector<RecoveryReport> reports;
    const JournalFolder folder = JournalFolder::ForRecovery();
    if (!folder.IsOpen())
        return reports;
    for (const std::string& journal : folder.Journals())
        if (std::optional<RecoveryReport> report = PlayBack(journal, {}))
            reports.push_back(std::move(*report));
    return reports;
}

void JournalRecovery::PlayBackLeftover(const JournalFolder& folder, const std::string& target,
                                       const FileIdentity& file) {
    // Most Saves find none: a journal that is not there does not open and is passed over.
    PlayBack(folder.JournalPathFor(file), target);
}

std::optional<RecoveryReport> JournalRecovery::PlayBack(const std::string& journalPath,
                                                        const std::string& target) {
    const std::optional<std::string> bytes = ReadJournal(journalPath);
    if (!bytes)
        return std::nullopt;
    const std::optional<JournalRecord> record = JournalRecord::Decode(*bytes);
    if (!record) {
        // Cut short while it was written: the file had not been touched yet.
        ::unlink(journalPath.c_str());
        return std::nullopt;
    }
    const std::string& path = target.empty() ? record->path : target;
    using Outcome = RecoveryReport::Outcome;
    const auto dropJournal = [&](std::optional<RecoveryReport> report) {
        ::unlink(journalPath.c_str());
        return report;
    };

    const PosixFile file = PosixFile::OpenExistingForUpdate(path);
    struct stat status {};
    if (!file.IsOpen() && errno != ENOENT)
        return FailedReport(path);
    if (!file.IsOpen() && !FolderExists(path))
        return std::nullopt; // kept for when the disk is back
    if (!file.IsOpen() || !file.Stat(&status) || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_ino) != record->before.inode)
        return dropJournal(Report(Outcome::NotRestored, path, kGone));
    // Its lock held by another process means a Save of it is running, and will play the
    // journal back itself before it writes.
    if (target.empty() && !file.Lock(LOCK_EX, std::chrono::milliseconds(0)))
        return std::nullopt;

    switch (JournalPlayback::Examine(*record, file)) {
    case JournalPlayback::State::Unreadable:
        return FailedReport(path);
    case JournalPlayback::State::Changed:
        return dropJournal(Report(Outcome::NotRestored, path, kChanged));
    case JournalPlayback::State::Untouched:
    case JournalPlayback::State::Finished:
        return dropJournal(std::nullopt);
    case JournalPlayback::State::Torn:
        break;
    }
    if (!JournalPlayback::PutBack(*record, file))
        return FailedReport(path);
    return dropJournal(Report(Outcome::Restored, path, kRestored));
}
