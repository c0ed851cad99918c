#include "TagFileReplacement.h"

#include "Id3Inspector.h"
#include "SaveFailure.h"
#include "TempFileNote.h"
#include "TempFileSignalCleanup.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

using SaveFailure::Failed;
using SaveFailure::FailedWithReason;

namespace {

constexpr std::size_t kCopyChunk = 1 << 20;
constexpr int kTempNameAttempts = 100;

std::string RandomSuffix(std::random_device& random) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kLetters[letter(random)];
    return suffix;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Copies the extended attributes, access control lists among them. Only a list that cannot be
// copied fails the Save: other attributes (a security label, say) may be beyond what the user
// is allowed to set, and are not the file's permissions.
bool CopyExtendedAttributes(int from, int to) {
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize <= 0)
        return true;
    std::vector<char> names(static_cast<std::size_t>(listSize));
    const ssize_t got = ::flistxattr(from, names.data(), names.size());
    for (std::size_t at = 0; got > 0 && at < static_cast<std::size_t>(got);) {
        const char* name = names.data() + at;
        at += std::strlen(name) + 1;
        const bool isAcl = std::strncmp(name, "system.posix_acl_", 17) == 0;
        const ssize_t valueSize = ::fgetxattr(from, name, nullptr, 0);
        std::vector<char> value(static_cast<std::size_t>(std::max<ssize_t>(valueSize, 0)));
        const bool copied = valueSize >= 0 &&
                            ::fgetxattr(from, name, value.data(), value.size()) == valueSize &&
                            ::fsetxattr(to, name, value.data(), value.size(), 0) == 0;
        if (!copied && isAcl)
            return false;
    }
    return true;
}

} // namespace

TagFileReplacement::TagFileReplacement(const SavePlan& plan) : m_plan(plan) {}

TagFileReplacement::~TagFileReplacement() {
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

SaveResult TagFileReplacement::Run(FileIdentity* saved) {
    for (auto step : {&TagFileReplacement::CreateTemp, &TagFileReplacement::WriteNewFile,
                      &TagFileReplacement::KeepOwnerAndMode, &TagFileReplacement::Sync,
                      &TagFileReplacement::Verify, &TagFileReplacement::CheckUnchanged,
                      &TagFileReplacement::Commit}) {
        SaveResult result = (this->*step)();
        if (!result.Saved())
            return result;
    }
    struct stat status {};
    m_temp.Stat(&status);
    *saved = FileIdentity::Of(status);
    return SaveResult::Success();
}

// Unnamed where the file system allows (O_TMPFILE): a process killed while it writes leaves
// nothing behind. Elsewhere it is named at once (see GiveName).
SaveResult TagFileReplacement::CreateTemp() {
    m_temp =
        PosixFile(::open(FolderOf(m_plan.target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (m_temp.IsOpen())
        return SaveResult::Success();
    const bool named = GiveName([](const std::string& path, PosixFile* temp) {
        *temp = PosixFile(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        return temp->IsOpen();
    });
    if (named)
        return SaveResult::Success();
    return FailedWithReason("The folder holding the file cannot be written to", errno);
}

// Named like mkstemp's files, but noted in the journal folder and armed for signals before the
// name exists: no kill or signal can then come between its creation and its cleanup. A name that
// is taken belongs to a Save of the same file that was killed (Saves of one file hold its
// lock), so the cleanup of that name harms nothing.
bool TagFileReplacement::GiveName(
    const std::function<bool(const std::string&, PosixFile*)>& makeName) {
    std::random_device random;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string path = TempFileNote::TempFileNameFor(m_plan.target, RandomSuffix(random));
        m_signalCleanup.reset();
        m_note.reset();
        m_note = std::make_unique<TempFileNote>(path);
        m_signalCleanup = std::make_unique<TempFileSignalCleanup>(path);
        if (makeName(path, &m_temp)) {
            m_tempPath = std::move(path);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    m_signalCleanup.reset();
    m_note.reset();
    errno = error;
    return false;
}

SaveResult TagFileReplacement::WriteNewFile() {
    const TagLayout& layout = m_plan.layout;
    if (!m_temp.WriteAll(m_plan.id3v2.data(), m_plan.id3v2.size()))
        return FailedWithReason("Writing the new tags failed", errno);
    std::vector<char> chunk(ChunkSize());
    for (std::uint64_t pos = layout.audioBegin; pos < layout.audioEnd;) {
        const std::size_t want = std::min<std::uint64_t>(chunk.size(), layout.audioEnd - pos);
        const long long got = m_plan.source.ReadAt(pos, chunk.data(), want);
        if (got < 0)
            return FailedWithReason("Reading the audio failed", errno);
        if (static_cast<std::size_t>(got) != want)
            return Failed("The file became shorter while it was saved.");
        if (!m_temp.WriteAll(chunk.data(), want))
            return FailedWithReason("Writing the audio failed", errno);
        pos += want;
    }
    if (!m_temp.WriteAll(m_plan.id3v1.data(), m_plan.id3v1.size()))
        return FailedWithReason("Writing the new tags failed", errno);
    return SaveResult::Success();
}

std::size_t TagFileReplacement::ChunkSize() const {
    return static_cast<std::size_t>(
        std::clamp<std::uint64_t>(m_plan.layout.AudioSize(), 1, kCopyChunk));
}

SaveResult TagFileReplacement::KeepOwnerAndMode() {
    struct stat before {};
    struct stat temp {};
    if (!m_plan.source.Stat(&before) || !m_temp.Stat(&temp))
        return FailedWithReason("The new file could not be checked", errno);
    // Owner first: changing it clears set-user-id and set-group-id bits.
    if ((temp.st_uid != before.st_uid || temp.st_gid != before.st_gid) &&
        ::fchown(m_temp.Fd(), before.st_uid, before.st_gid) != 0)
        return FailedWithReason("The file's owner could not be kept", errno);
    if (::fchmod(m_temp.Fd(), before.st_mode & 07777) != 0)
        return FailedWithReason("The file's permissions could not be kept", errno);
    if (!CopyExtendedAttributes(m_plan.source.Fd(), m_temp.Fd()))
        return FailedWithReason("The file's access control list could not be kept", errno);
    return SaveResult::Success();
}

SaveResult TagFileReplacement::Sync() {
    if (!m_temp.Sync())
        return FailedWithReason("Writing the new file to disk failed", errno);
    return SaveResult::Success();
}

// Reads the new file back: the tags as rendered, the audio byte for byte as the old file has
// it, and a tag this program would load again.
SaveResult TagFileReplacement::Verify() {
    const TagLayout& layout = m_plan.layout;
    const SaveResult bad = Failed("The new file did not read back as written.");
    const std::uint64_t audioBegin = m_plan.id3v2.size();
    const std::uint64_t expectedSize = audioBegin + layout.AudioSize() + m_plan.id3v1.size();
    struct stat temp {};
    if (!m_temp.Stat(&temp) || static_cast<std::uint64_t>(temp.st_size) != expectedSize)
        return bad;
    std::vector<char> written(ChunkSize());
    std::vector<char> original(ChunkSize());
    for (std::uint64_t done = 0; done < layout.AudioSize();) {
        const std::size_t want = std::min<std::uint64_t>(written.size(), layout.AudioSize() - done);
        if (m_temp.ReadAt(audioBegin + done, written.data(), want) !=
                static_cast<long long>(want) ||
            m_plan.source.ReadAt(layout.audioBegin + done, original.data(), want) !=
                static_cast<long long>(want) ||
            std::memcmp(written.data(), original.data(), want) != 0)
            return bad;
        done += want;
    }
    // The inspection hands back both tags' bytes as the file holds them.
    const TagInspection reread = Id3Inspector::Inspect(m_temp);
    if (!reread.Accepted() || reread.tagBytes != m_plan.id3v2 || reread.id3v1 != m_plan.id3v1)
        return bad;
    return SaveResult::Success();
}

SaveResult TagFileReplacement::CheckUnchanged() {
    if (!m_plan.StillAsFound(m_plan.source))
        return SaveFailure::ChangedByAnotherProgram();
    return SaveResult::Success();
}

SaveResult TagFileReplacement::Commit() {
    // An unnamed file gets its name only now, complete and synced, for the rename.
    const bool named =
        !m_tempPath.empty() || GiveName([](const std::string& path, PosixFile* temp) {
            const std::string self = "/proc/self/fd/" + std::to_string(temp->Fd());
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
        });
    if (!named || ::rename(m_tempPath.c_str(), m_plan.target.c_str()) != 0)
        return FailedWithReason("The new file could not be put in place", errno);
    m_tempPath.clear();
    m_signalCleanup.reset();
    m_note.reset();
    // The rename itself reaches the disk with the folder.
    PosixFile folder(::open(FolderOf(m_plan.target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen())
        folder.Sync();
    return SaveResult::Success();
}
