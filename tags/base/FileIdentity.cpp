#include "FileIdentity.h"

FileIdentity FileIdentity::Of(const struct stat& status) {
    FileIdentity identity;
    identity.device = static_cast<std::uint64_t>(status.st_dev);
    identity.inode = static_cast<std::uint64_t>(status.st_ino);
    identity.size = static_cast<std::uint64_t>(status.st_size);
    identity.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    return identity;
}
