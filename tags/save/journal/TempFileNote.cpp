#include "TempFileNote.h"

#include "JournalFolder.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kTempInfix[] = ".tagsave-";
constexpr std::size_t kSuffixSize = 6;
// Leaves room for the temporary name's prefix and suffix within the file system's name limit.
constexpr std::size_t kMaxBaseNameInTempName = 200;

std::string BaseNameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

} // namespace

TempFileNote::TempFileNote(const std::string& tempPath) {
    JournalFolder folder = JournalFolder::ForSaving();
    if (!folder.IsOpen())
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    m_name = std::to_string(::getpid()) + "-" + std::to_string(now) + ".tempfile";
    m_note = folder.CreateEntry(m_name);
    // Locked before it holds anything: the recovery never takes a note being written for one
    // left behind.
    if (!m_note.IsOpen() || !m_note.Lock(LOCK_EX, std::chrono::milliseconds(0)) ||
        !m_note.WriteAll(tempPath.data(), tempPath.size()) || !m_note.Sync() || !folder.Sync()) {
        if (m_note.IsOpen())
            folder.RemoveEntry(m_name);
        m_note.Close();
        return;
    }
    m_folder = folder.Path();
}

TempFileNote::~TempFileNote() {
    // The folder's path is enough here: the note is this process's own, made moments ago.
    if (m_note.IsOpen())
        ::unlink((m_folder + "/" + m_name).c_str());
}

bool TempFileNote::IsTempFileName(const std::string& tempPath) {
    const std::string name = BaseNameOf(tempPath);
    const std::size_t infix = name.rfind(kTempInfix);
    return name.size() > 1 && name[0] == '.' && infix != std::string::npos && infix > 1 &&
           name.size() == infix + sizeof kTempInfix - 1 + kSuffixSize;
}

std::string TempFileNote::TempFileNameFor(const std::string& target, const std::string& suffix) {
    const std::size_t slash = target.rfind('/');
    return target.substr(0, slash + 1) + "." +
           BaseNameOf(target).substr(0, kMaxBaseNameInTempName) + kTempInfix + suffix;
}

void TempFileNote::RemoveAbandoned(const JournalFolder& folder) {
    for (const std::string& name : folder.TempFileNotes()) {
        bool distrusted = false;
        const PosixFile note = folder.OpenEntry(name, &distrusted);
        // A note still locked belongs to a Save that is running.
        if (!note.IsOpen() || !note.Lock(LOCK_EX, std::chrono::milliseconds(0)))
            continue;
        std::string tempPath(PATH_MAX, '\0');
        const long long got = note.ReadAt(0, tempPath.data(), tempPath.size());
        tempPath.resize(static_cast<std::size_t>(std::max(got, 0LL)));
        struct stat status {};
        if (IsTempFileName(tempPath) && ::lstat(tempPath.c_str(), &status) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
            ::unlink(tempPath.c_str());
        folder.RemoveEntry(name);
    }
}
