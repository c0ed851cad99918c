#include "TagFileWriter.h"

#include "Id3Inspector.h"
#include "InPlaceTagWriter.h"
#include "JournalFolder.h"
#include "JournalRecovery.h"
#include "PosixFile.h"
#include "SaveFailure.h"
#include "TagFileReplacement.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using SaveFailure::Failed;
using SaveFailure::FailedWithReason;

namespace {

// Another of this program's Saves of the same file holds the lock for as long as it writes:
// milliseconds in place, seconds for a large file that is replaced.
constexpr std::chrono::milliseconds kLockPatience(30000);

// The file a symbolic link leads to, so that the link itself stays a link.
bool ResolveTarget(const std::string& path, std::string* target, SaveResult* failure) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) {
        *target = resolved;
        return true;
    }
    if (errno == ENOENT)
        *failure = {SaveResult::Outcome::Failed,
                    "The file no longer exists, so nothing was written."};
    else
        *failure = FailedWithReason("The file could not be found", errno);
    return false;
}

// Opens the file and takes its lock: from here on no other Save of this program writes it.
SaveResult OpenAndLock(const std::string& target, PosixFile* file) {
    std::string reason;
    *file = PosixFile::OpenRegularForReading(target, &reason);
    if (!file->IsOpen())
        return Failed("The file could not be opened: " + reason);
    // A read-only file stays as it is, even where its folder would allow replacing it, and
    // even for root, whom the permission bits do not stop: a file whose owner may not write
    // it has been made read-only on purpose.
    struct stat status {};
    if (!file->Stat(&status))
        return FailedWithReason("The file could not be read", errno);
    if ((status.st_mode & S_IWUSR) == 0)
        return Failed("The file is read-only.");
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return FailedWithReason("The file cannot be written", errno);
    if (!file->Lock(LOCK_EX, kLockPatience))
        return errno == EWOULDBLOCK ? Failed("Another save of the file has not finished.")
                                    : FailedWithReason("The file could not be locked", errno);
    return SaveResult::Success();
}

// The file must still be the one that was loaded: same inode at the path, size, modification
// time and tags. Fills in what PLAN needs to know about it.
SaveResult CheckAsExpected(const TagFileWriter::Expected& expected, SavePlan* plan) {
    struct stat now {};
    struct stat atPath {};
    if (!plan->source.Stat(&now))
        return FailedWithReason("The file could not be read", errno);
    plan->identity = FileIdentity::Of(now);
    if (plan->identity != expected.identity || ::stat(plan->target.c_str(), &atPath) != 0 ||
        !FileIdentity::Of(atPath).SameFileAs(plan->identity))
        return SaveFailure::ChangedByAnotherProgram();
    TagInspection inspection = Id3Inspector::Inspect(plan->source);
    if (!inspection.Accepted())
        return {SaveResult::Outcome::Refused, inspection.problem};
    if (inspection.frames != expected.id3v2Frames || inspection.id3v1 != expected.id3v1)
        return SaveFailure::ChangedByAnotherProgram();
    plan->layout = inspection.layout;
    plan->oldId3v2 = std::move(inspection.tagBytes);
    plan->oldId3v1 = std::move(inspection.id3v1);
    return SaveResult::Success();
}

// Why the whole file was to be written anew: that is what needs the folder and room on the disk.
std::string WhyWrittenAnew(bool fits, const JournalFolder& journals) {
    if (fits)
        return " The tags would fit in place, but that needs a rollback journal. " +
               journals.Problem() + ".";
    return " The new tags need more room than the old ones had, so the file was to be written "
           "anew beside the old one.";
}

} // namespace

SaveResult TagFileWriter::Write(const std::string& path, const Expected& expected,
                                const Id3v2Source& id3v2, const std::string& id3v1,
                                FileIdentity* saved) {
    std::string target;
    SaveResult result = SaveResult::Success();
    if (!ResolveTarget(path, &target, &result))
        return result;
    PosixFile file;
    result = OpenAndLock(target, &file);
    if (!result.Saved())
        return result;
    SavePlan plan(target, file, id3v1);
    JournalFolder journals = JournalFolder::ForSaving();
    if (journals.IsOpen()) {
        struct stat status {};
        if (file.Stat(&status))
            JournalRecovery::PlayBackLeftover(journals, target, FileIdentity::Of(status));
    }
    result = CheckAsExpected(expected, &plan);
    if (!result.Saved())
        return result;
    plan.id3v2 = id3v2(plan.layout);

    const bool fits = InPlaceTagWriter::Fits(plan);
    if (fits && journals.IsOpen())
        return InPlaceTagWriter(plan, std::move(journals)).Run(saved);
    // Replacing the file takes long for a large one, and the recovery at another program's
    // start-up would wait for the folder all that time.
    journals.Release();
    result = TagFileReplacement(plan).Run(saved);
    if (result.outcome == SaveResult::Outcome::Failed)
        result.reason += WhyWrittenAnew(fits, journals);
    return result;
}
