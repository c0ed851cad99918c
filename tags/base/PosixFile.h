#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>

// An open file descriptor, closed with the object, and the few calls the tag code makes on it.
// Every call retries on EINTR; failures leave errno set.
class PosixFile {
public:
    PosixFile() = default;
    explicit PosixFile(int fd) : m_fd(fd) {}
    ~PosixFile();
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    // Opens only a regular file, without blocking and without making it a controlling
    // terminal: a FIFO or device named like an MP3 is refused before it is read. On failure
    // REASON says why in plain words (the system's reason when it gave one) and the result is
    // closed.
    static PosixFile OpenRegularForReading(const std::string& path, std::string* reason);
    // Opens an existing regular file for reading and writing, never creating one, never
    // blocking and never through a symbolic link: a FIFO, a device or a folder put where the
    // file was is not opened for writing at all. errno says why it did not open (ELOOP for a
    // link, EINVAL for something that is not a regular file).
    static PosixFile OpenRegularForUpdate(const std::string& path);

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    // Reads up to SIZE bytes at OFFSET; fewer only at the end of the file. -1 on error.
    long long ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;
    // Writes all SIZE bytes at the current position; false on error (errno set).
    bool WriteAll(const void* buffer, std::size_t size) const;
    // Writes all SIZE bytes at OFFSET, leaving the position alone.
    bool WriteAllAt(std::uint64_t offset, const void* buffer, std::size_t size) const;
    bool Sync() const;     // data and metadata reach the disk
    bool SyncData() const; // data, and the size when it changed, reach the disk
    bool Truncate(std::uint64_t size) const;
    // Takes the advisory lock OPERATION (LOCK_EX or LOCK_SH), waiting up to PATIENCE for other
    // holders to let go; false (errno EWOULDBLOCK) when they did not.
    bool Lock(int operation, std::chrono::milliseconds patience) const;
    bool Stat(struct stat* status) const;
    bool Close();

private:
    int m_fd = -1;
};
