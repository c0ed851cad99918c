#include "TagFileWriter.h"

#include "Id3Inspector.h"
#include "PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kCopyChunk = 1 << 20;
// Leaves room for the temporary name's prefix and suffix within the file system's name limit.
constexpr std::size_t kMaxBaseNameInTempName = 200;
const char* const kUnchanged = " The file was left as it was.";

std::string SystemReason() {
    return std::strerror(errno);
}

SaveResult Failed(std::string what) {
    if (what.empty() || what.back() != '.')
        what += '.';
    return {SaveResult::Outcome::Failed, what + kUnchanged};
}

SaveResult FailedWithReason(const std::string& what) {
    return Failed(what + ": " + SystemReason());
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
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

// The new file beside the old one; removed again unless it has replaced the old one.
class Replacement {
public:
    explicit Replacement(std::string target) : m_target(std::move(target)) {}
    ~Replacement() {
        if (!m_tempPath.empty())
            ::unlink(m_tempPath.c_str());
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    SaveResult Run(const TagFileWriter::Id3v2Source& id3v2Source, const std::string& id3v1) {
        std::string reason;
        m_source = PosixFile::OpenRegularForReading(m_target, &reason);
        if (!m_source.IsOpen())
            return Failed("The file could not be opened: " + reason);
        // A read-only file stays as it is, even where its folder would allow replacing it.
        if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0)
            return FailedWithReason("The file cannot be written");
        if (!m_source.Stat(&m_before))
            return FailedWithReason("The file could not be read");
        const TagInspection inspection = Id3Inspector::Inspect(m_source);
        if (!inspection.Accepted())
            return {SaveResult::Outcome::Refused, inspection.problem};
        m_layout = inspection.layout;
        m_id3v2 = id3v2Source(m_layout);
        m_id3v1 = id3v1;
        for (auto step : {&Replacement::CreateTemp, &Replacement::WriteNewFile,
                          &Replacement::KeepOwnerAndMode, &Replacement::Sync, &Replacement::Verify,
                          &Replacement::CheckUnchanged, &Replacement::Commit}) {
            SaveResult result = (this->*step)();
            if (!result.Saved())
                return result;
        }
        return SaveResult::Success();
    }

private:
    SaveResult CreateTemp() {
        std::string base = BaseNameOf(m_target).substr(0, kMaxBaseNameInTempName);
        std::string name = FolderOf(m_target) + "/." + base + ".tagsave-XXXXXX";
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        m_temp = PosixFile(::mkostemp(buffer.data(), O_CLOEXEC));
        if (!m_temp.IsOpen())
            return FailedWithReason("The folder holding the file cannot be written to");
        m_tempPath = buffer.data();
        return SaveResult::Success();
    }

    SaveResult WriteNewFile() {
        if (!m_temp.WriteAll(m_id3v2.data(), m_id3v2.size()))
            return FailedWithReason("Writing the new tags failed");
        std::vector<char> chunk(ChunkSize());
        for (std::uint64_t pos = m_layout.audioBegin; pos < m_layout.audioEnd;) {
            const std::size_t want = std::min<std::uint64_t>(chunk.size(), m_layout.audioEnd - pos);
            const long long got = m_source.ReadAt(pos, chunk.data(), want);
            if (got < 0)
                return FailedWithReason("Reading the audio failed");
            if (static_cast<std::size_t>(got) != want)
                return Failed("The file became shorter while it was saved.");
            if (!m_temp.WriteAll(chunk.data(), want))
                return FailedWithReason("Writing the audio failed");
            pos += want;
        }
        if (!m_temp.WriteAll(m_id3v1.data(), m_id3v1.size()))
            return FailedWithReason("Writing the new tags failed");
        return SaveResult::Success();
    }

    std::size_t ChunkSize() const {
        return static_cast<std::size_t>(
            std::clamp<std::uint64_t>(m_layout.AudioSize(), 1, kCopyChunk));
    }

    SaveResult KeepOwnerAndMode() {
        struct stat temp {};
        if (!m_temp.Stat(&temp))
            return FailedWithReason("The new file could not be checked");
        // Owner first: changing it clears set-user-id and set-group-id bits.
        if ((temp.st_uid != m_before.st_uid || temp.st_gid != m_before.st_gid) &&
            ::fchown(m_temp.Fd(), m_before.st_uid, m_before.st_gid) != 0)
            return FailedWithReason("The file's owner could not be kept");
        if (::fchmod(m_temp.Fd(), m_before.st_mode & 07777) != 0)
            return FailedWithReason("The file's permissions could not be kept");
        if (!CopyExtendedAttributes(m_source.Fd(), m_temp.Fd()))
            return FailedWithReason("The file's access control list could not be kept");
        return SaveResult::Success();
    }

    SaveResult Sync() {
        if (::fsync(m_temp.Fd()) != 0)
            return FailedWithReason("Writing the new file to disk failed");
        return SaveResult::Success();
    }

    // Reads the new file back: the tags as rendered, the audio byte for byte as the old
    // file has it, and a tag this program would load again.
    SaveResult Verify() {
        const SaveResult bad = Failed("The new file did not read back as written.");
        const std::uint64_t audioBegin = m_id3v2.size();
        const std::uint64_t expectedSize = audioBegin + m_layout.AudioSize() + m_id3v1.size();
        struct stat temp {};
        if (!m_temp.Stat(&temp) || static_cast<std::uint64_t>(temp.st_size) != expectedSize)
            return bad;
        if (!SameBytes(0, m_id3v2) || !SameBytes(audioBegin + m_layout.AudioSize(), m_id3v1))
            return bad;
        std::vector<char> written(ChunkSize());
        std::vector<char> original(ChunkSize());
        for (std::uint64_t done = 0; done < m_layout.AudioSize();) {
            const std::size_t want =
                std::min<std::uint64_t>(written.size(), m_layout.AudioSize() - done);
            if (m_temp.ReadAt(audioBegin + done, written.data(), want) !=
                    static_cast<long long>(want) ||
                m_source.ReadAt(m_layout.audioBegin + done, original.data(), want) !=
                    static_cast<long long>(want) ||
                std::memcmp(written.data(), original.data(), want) != 0)
                return bad;
            done += want;
        }
        const TagInspection reread = Id3Inspector::Inspect(m_temp);
        if (!reread.Accepted() || reread.layout.tagSize != audioBegin ||
            reread.layout.hasId3v1 != !m_id3v1.empty())
            return bad;
        return SaveResult::Success();
    }

    bool SameBytes(std::uint64_t offset, const std::string& expected) const {
        std::string actual(expected.size(), '\0');
        return m_temp.ReadAt(offset, actual.data(), actual.size()) ==
                   static_cast<long long>(actual.size()) &&
               actual == expected;
    }

    // Another program may have written the file or put another in its place meanwhile.
    SaveResult CheckUnchanged() {
        struct stat now {};
        struct stat atPath {};
        if (!m_source.Stat(&now) || ::stat(m_target.c_str(), &atPath) != 0 ||
            now.st_size != m_before.st_size || now.st_mtim.tv_sec != m_before.st_mtim.tv_sec ||
            now.st_mtim.tv_nsec != m_before.st_mtim.tv_nsec || atPath.st_ino != m_before.st_ino ||
            atPath.st_dev != m_before.st_dev)
            return Failed("Another program changed the file while it was saved.");
        return SaveResult::Success();
    }

    SaveResult Commit() {
        if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
            return FailedWithReason("The new file could not be put in place");
        m_tempPath.clear();
        // The rename itself reaches the disk with the folder.
        PosixFile folder(::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.IsOpen())
            ::fsync(folder.Fd());
        return SaveResult::Success();
    }

    std::string m_target;
    std::string m_tempPath;
    PosixFile m_source;
    PosixFile m_temp;
    struct stat m_before {};
    TagLayout m_layout;
    std::string m_id3v2;
    std::string m_id3v1;
};

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
        *failure = FailedWithReason("The file could not be found");
    return false;
}

} // namespace

SaveResult TagFileWriter::Write(const std::string& path, const Id3v2Source& id3v2,
                                const std::string& id3v1) {
    std::string target;
    SaveResult failure = SaveResult::Success();
    if (!ResolveTarget(path, &target, &failure))
        return failure;
    return Replacement(target).Run(id3v2, id3v1);
}
