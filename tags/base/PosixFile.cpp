#include "PosixFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

PosixFile::~PosixFile() {
    Close();
}

PosixFile::PosixFile(PosixFile&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

PosixFile PosixFile::OpenRegularForReading(const std::string& path, std::string* reason) {
    struct stat status {};
    // Looked at before opening: opening some devices already does something.
    if (::stat(path.c_str(), &status) != 0) {
        *reason = std::strerror(errno);
        return {};
    }
    if (S_ISDIR(status.st_mode)) {
        *reason = "It is a folder, not a file.";
        return {};
    }
    if (!S_ISREG(status.st_mode)) {
        *reason = "It is not a regular file.";
        return {};
    }
    PosixFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen()) {
        *reason = std::strerror(errno);
        return {};
    }
    // The path may have been replaced in between.
    if (!file.Stat(&status) || !S_ISREG(status.st_mode)) {
        *reason = "It is not a regular file.";
        return {};
    }
    reason->clear();
    return file;
}

PosixFile PosixFile::OpenRegularForUpdate(const std::string& path) {
    struct stat status {};
    // Looked at before opening, as for reading; and again after, for what came in between.
    if (::lstat(path.c_str(), &status) != 0)
        return {};
    const auto refused = [](int error) {
        errno = error;
        return PosixFile();
    };
    if (S_ISLNK(status.st_mode))
        return refused(ELOOP);
    if (!S_ISREG(status.st_mode))
        return refused(EINVAL);
    PosixFile file(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    if (file.IsOpen() && (!file.Stat(&status) || !S_ISREG(status.st_mode)))
        return refused(EINVAL);
    return file;
}

long long PosixFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(m_fd, static_cast<char*>(buffer) + done, size - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}

namespace {

// Hands PUT what is left to write until all SIZE bytes are out; PUT returns what one call wrote.
template <typename Put> bool PutAll(const void* buffer, std::size_t size, Put put) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = put(static_cast<const char*>(buffer) + done, size - done, done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool PosixFile::WriteAll(const void* buffer, std::size_t size) const {
    return PutAll(buffer, size, [this](const char* from, std::size_t count, std::size_t) {
        return ::write(m_fd, from, count);
    });
}

bool PosixFile::WriteAllAt(std::uint64_t offset, const void* buffer, std::size_t size) const {
    return PutAll(buffer, size, [&](const char* from, std::size_t count, std::size_t done) {
        return ::pwrite(m_fd, from, count, static_cast<off_t>(offset + done));
    });
}

bool PosixFile::Sync() const {
    return ::fsync(m_fd) == 0;
}

bool PosixFile::SyncData() const {
    return ::fdatasync(m_fd) == 0;
}

bool PosixFile::Truncate(std::uint64_t size) const {
    int result;
    do
        result = ::ftruncate(m_fd, static_cast<off_t>(size));
    while (result != 0 && errno == EINTR);
    return result == 0;
}

bool PosixFile::Lock(int operation, std::chrono::milliseconds patience) const {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(m_fd, operation | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool PosixFile::Stat(struct stat* status) const {
    return ::fstat(m_fd, status) == 0;
}

bool PosixFile::Close() {
    if (m_fd < 0)
        return true;
    const int fd = std::exchange(m_fd, -1);
    return ::close(fd) == 0;
}
