#include "JournalFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr char kJournalSuffix[] = ".journal";
constexpr char kTempFileNoteSuffix[] = ".tempfile";
// A Save holds the folder for milliseconds; a process stopped in the middle of one must not
// stop another from starting or saving for long.
constexpr std::chrono::milliseconds kSavePatience(10000);
constexpr std::chrono::milliseconds kRecoveryPatience(2000);

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// Like mkdir -p, with the folders it makes readable by the user alone.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool HasSuffix(const char* name, const char* suffix) {
    const std::size_t length = std::strlen(name);
    const std::size_t suffixLength = std::strlen(suffix);
    return length > suffixLength && std::strcmp(name + length - suffixLength, suffix) == 0;
}

} // namespace

std::string JournalFolder::Location() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/tageditor";
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.local/state/tageditor";
}

JournalFolder JournalFolder::ForSaving() {
    JournalFolder folder;
    folder.m_path = Location();
    if (folder.m_path.empty())
        folder.m_problem = "No home folder is known to keep it in";
    else if (::access(folder.m_path.c_str(), F_OK) != 0 && !MakeFolders(folder.m_path))
        folder.m_problem =
            "Its folder " + folder.m_path + " could not be made: " + std::strerror(errno);
    else
        folder.OpenAndLock(LOCK_SH);
    return folder;
}

JournalFolder JournalFolder::ForRecovery() {
    JournalFolder folder;
    folder.m_path = Location();
    if (!folder.m_path.empty())
        folder.OpenAndLock(LOCK_EX);
    return folder;
}

bool JournalFolder::OpenAndLock(int operation) {
    // O_NOFOLLOW: a link put at the folder's name leads wherever its maker likes.
    m_folder = PosixFile(::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (!m_folder.IsOpen() && (errno == ELOOP || errno == ENOTDIR)) {
        m_untrusted = true;
        m_problem = "Its folder " + m_path + " is a link or not a folder";
        return false;
    }
    if (m_folder.IsOpen() && m_folder.Stat(&status) &&
        (status.st_uid != ::geteuid() || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)) {
        m_untrusted = true;
        m_problem = "Its folder " + m_path + " is not this user's own, or others may write to it";
        m_folder.Close();
        return false;
    }
    const auto patience = operation == LOCK_EX ? kRecoveryPatience : kSavePatience;
    if (m_folder.IsOpen() && m_folder.Lock(operation, patience))
        return true;
    m_problem = "Its folder " + m_path + " could not be opened: " + std::strerror(errno);
    m_folder.Close();
    return false;
}

std::string JournalFolder::JournalNameFor(const FileIdentity& file) {
    char name[64];
    std::snprintf(name, sizeof name, "%llx-%llx%s", static_cast<unsigned long long>(file.device),
                  static_cast<unsigned long long>(file.inode), kJournalSuffix);
    return name;
}

std::string JournalFolder::JournalPathFor(const FileIdentity& file) const {
    return m_path + "/" + JournalNameFor(file);
}

std::vector<std::string> JournalFolder::Journals() const {
    return NamesEnding(kJournalSuffix);
}

std::vector<std::string> JournalFolder::TempFileNotes() const {
    return NamesEnding(kTempFileNoteSuffix);
}

std::vector<std::string> JournalFolder::NamesEnding(const char* suffix) const {
    std::vector<std::string> names;
    DIR* listing = ::fdopendir(::dup(m_folder.Fd()));
    if (!listing)
        return names;
    ::rewinddir(listing);
    while (const dirent* entry = ::readdir(listing))
        if (HasSuffix(entry->d_name, suffix))
            names.push_back(entry->d_name);
    ::closedir(listing);
    std::sort(names.begin(), names.end());
    return names;
}

PosixFile JournalFolder::OpenEntry(const std::string& name, bool* distrusted) const {
    *distrusted = false;
    PosixFile journal(::openat(m_folder.Fd(), name.c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!journal.IsOpen() && errno == ELOOP)
        *distrusted = true;
    else if (journal.IsOpen() &&
             (!journal.Stat(&status) || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()))
        *distrusted = true;
    if (*distrusted)
        journal.Close();
    return journal;
}

PosixFile JournalFolder::CreateEntry(const std::string& name) const {
    return PosixFile(::openat(m_folder.Fd(), name.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
}

void JournalFolder::RemoveEntry(const std::string& name) const {
    ::unlinkat(m_folder.Fd(), name.c_str(), 0);
}

bool JournalFolder::Sync() const {
    return m_folder.Sync();
}
