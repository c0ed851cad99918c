#include "Mp3Folder.h"

#include "FolderWalk.h"
#include "Mp3Content.h"

namespace Mp3Folder {

std::vector<std::string> Mp3sBelow(const std::string& folder, std::size_t maxCount) {
    return FolderWalk::FilesBelow(folder, IsMp3, maxCount);
}

bool IsMp3(const std::string& path) {
    return Mp3Content::Problem(path).empty();
}

} // namespace Mp3Folder
