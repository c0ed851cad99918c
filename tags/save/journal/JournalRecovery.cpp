#include "JournalRecovery.h"

#include "Id3Sizes.h"
#include "JournalFolder.h"
#include "JournalPlayback.h"
#include "PosixFile.h"
#include "TempFileNote.h"

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
const char* const kWaiting =
    "A save of this file was interrupted, and the file cannot be found now (is its disk away?). "
    "Its old tags will be put back at a start that finds it.";
const char* const kUntrustedFolder =
    "This folder of rollback journals is a link, or not this user's own, or others may write "
    "to it, so no journal in it was played back.";
const char* const kUntrustedJournal = "This rollback journal is not a file of this user's own, "
                                      "so it was left alone and not played back.";

std::optional<std::string> ReadJournal(const PosixFile& journal) {
    struct stat status {};
    if (!journal.Stat(&status))
        return std::nullopt;
    const auto size = static_cast<std::uint64_t>(status.st_size);
    std::string bytes(std::min(size, kMaxJournalSize + 1), '\0');
    if (journal.ReadAt(0, bytes.data(), bytes.size()) != static_cast<long long>(bytes.size()))
        return std::nullopt;
    return bytes;
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
    if (folder.Untrusted())
        reports.push_back(
            Report(RecoveryReport::Outcome::LeftAlone, folder.Path(), kUntrustedFolder));
    if (!folder.IsOpen())
        return reports;
    for (const std::string& journal : folder.Journals())
        if (std::optional<RecoveryReport> report = PlayBack(folder, journal, {}))
            reports.push_back(std::move(*report));
    // A killed Save that wrote its file anew leaves nothing to put back, only its new file.
    TempFileNote::RemoveAbandoned(folder);
    return reports;
}

void JournalRecovery::PlayBackLeftover(const JournalFolder& folder, const std::string& target,
                                       const FileIdentity& file) {
    // Most Saves find none: a journal that is not there does not open and is passed over.
    PlayBack(folder, JournalFolder::JournalNameFor(file), target);
}

std::optional<RecoveryReport> JournalRecovery::PlayBack(const JournalFolder& folder,
                                                        const std::string& name,
                                                        const std::string& target) {
    using Outcome = RecoveryReport::Outcome;
    bool distrusted = false;
    const PosixFile journal = folder.OpenEntry(name, &distrusted);
    if (distrusted)
        return Report(Outcome::LeftAlone, folder.Path() + "/" + name, kUntrustedJournal);
    const std::optional<std::string> bytes = journal.IsOpen() ? ReadJournal(journal) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    const std::optional<JournalRecord> record = JournalRecord::Decode(*bytes);
    if (!record) {
        // Cut short while it was written: the file had not been touched yet.
        folder.RemoveEntry(name);
        return std::nullopt;
    }
    const std::string& path = target.empty() ? record->path : target;
    const auto dropJournal = [&](std::optional<RecoveryReport> report) {
        folder.RemoveEntry(name);
        return report;
    };

    const PosixFile file = PosixFile::OpenRegularForUpdate(path);
    struct stat status {};
    if (!file.IsOpen() && (errno == ENOENT || errno == ENOTDIR))
        return Report(Outcome::Waiting, path, kWaiting); // kept for when the disk is back
    if (!file.IsOpen() && (errno == ELOOP || errno == EINVAL))
        return dropJournal(Report(Outcome::NotRestored, path, kGone));
    if (!file.IsOpen() || !file.Stat(&status))
        return FailedReport(path);
    // Its lock held by another process means a Save of it is running, and will play the
    // journal back itself before it writes.
    if (target.empty() && !file.Lock(LOCK_EX, std::chrono::milliseconds(0)))
        return std::nullopt;

    const bool sameInode = static_cast<std::uint64_t>(status.st_ino) == record->before.inode;
    switch (JournalPlayback::Examine(*record, file, sameInode)) {
    case JournalPlayback::State::Unreadable:
        return FailedReport(path);
    case JournalPlayback::State::Changed:
        return dropJournal(Report(Outcome::NotRestored, path, sameInode ? kChanged : kGone));
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
