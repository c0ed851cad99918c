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

bool IsJournalName(const char* name) {
    const std::size_t length = std::strlen(name);
    const std::size_t suffix = sizeof kJournalSuffix - 1;
    return length > suffix && std::strcmp(name + length - suffix, kJournalSuffix) == 0;
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
    m_folder = PosixFile(::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const auto patience = operation == LOCK_EX ? kRecoveryPatience : kSavePatience;
    if (m_folder.IsOpen() && m_folder.Lock(operation, patience))
        return true;
    m_problem = "Its folder " + m_path + " could not be opened: " + std::strerror(errno);
    m_folder.Close();
    return false;
}

std::string JournalFolder::JournalPathFor(const FileIdentity& file) const {
    char name[64];
    std::snprintf(name, sizeof name, "%llx-%llx%s", static_cast<unsigned long long>(file.device),
                  static_cast<unsigned long long>(file.inode), kJournalSuffix);
    return m_path + "/" + name;
}

std::vector<std::string> JournalFolder::Journals() const {
    std::vector<std::string> paths;
    DIR* listing = ::fdopendir(::dup(m_folder.Fd()));
    if (!listing)
        return paths;
    ::rewinddir(listing);
    while (const dirent* entry = ::readdir(listing)) {
        struct stat status {};
        if (IsJournalName(entry->d_name) &&
            ::fstatat(m_folder.Fd(), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            paths.push_back(m_path + "/" + entry->d_name);
    }
    ::closedir(listing);
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool JournalFolder::Sync() const {
    return m_folder.Sync();
}
