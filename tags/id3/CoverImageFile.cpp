#include "CoverImageFile.h"

#include "ImageHeader.h"
#include "PosixFile.h"

#include <cerrno>
#include <cstring>

namespace {

CoverImageFile Refused(std::string problem) {
    CoverImageFile refused;
    refused.problem = std::move(problem);
    return refused;
}

std::string TooLarge() {
    return "It is larger than " + std::to_string(CoverImageFile::kMaxBytes / (1024 * 1024)) +
           " MB.";
}

} // namespace

CoverImageFile CoverImageFile::Load(const std::string& path) {
    std::string reason;
    const PosixFile file = PosixFile::OpenRegularForReading(path, &reason);
    if (!file.IsOpen())
        return Refused(reason);
    struct stat status {};
    if (!file.Stat(&status))
        return Refused(std::strerror(errno));
    // Looked at before reading, so that a huge file is not read at all.
    if (static_cast<unsigned long long>(status.st_size) > kMaxBytes)
        return Refused(TooLarge());
    // Read to its end, which may lie past the size seen if the file is still growing, but never
    // more than one byte past the limit.
    std::string bytes;
    constexpr std::size_t kChunk = 1 << 20;
    for (;;) {
        const std::size_t at = bytes.size();
        bytes.resize(at + kChunk);
        const long long read = file.ReadAt(at, bytes.data() + at, kChunk);
        if (read < 0)
            return Refused(std::strerror(errno));
        bytes.resize(at + static_cast<std::size_t>(read));
        if (static_cast<std::size_t>(read) < kChunk || bytes.size() > kMaxBytes)
            break;
    }
    return FromBytes(std::move(bytes));
}

CoverImageFile CoverImageFile::FromBytes(std::string bytes) {
    if (bytes.size() > kMaxBytes)
        return Refused(TooLarge());
    const ImageHeader header = ImageHeader::Read(bytes);
    if (!header.IsReadable())
        return Refused("It is not a JPEG or PNG picture that can be read.");
    CoverImageFile accepted;
    accepted.picture.mimeType = header.MimeType();
    accepted.picture.storage = std::make_shared<const std::string>(std::move(bytes));
    return accepted;
}
