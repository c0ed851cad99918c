#include "PosixFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

bool PosixFile::WriteAll(const void* buffer, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(m_fd, static_cast<const char*>(buffer) + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
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
