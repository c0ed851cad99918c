#include "Mp3Folder.h"

#include "FolderWalk.h"

#include <algorithm>
#include <cctype>

namespace Mp3Folder {

std::vector<std::string> Mp3sBelow(const std::string& folder, std::size_t maxCount) {
    return FolderWalk::FilesBelow(folder, IsMp3, maxCount);
}

bool IsMp3(const std::string& path) {
    static const std::string kExtension = ".mp3";
    if (path.size() < kExtension.size())
        return false;
    return std::equal(kExtension.rbegin(), kExtension.rend(), path.rbegin(), [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace Mp3Folder
