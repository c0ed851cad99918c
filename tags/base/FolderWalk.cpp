#include "FolderWalk.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace FolderWalk {

namespace {

void Walk(const fs::path& folder, const std::function<bool(const std::string&)>& take,
          std::size_t maxCount, std::vector<std::string>& found) {
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().front() != '.')
            entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) {
                  return a.path().filename().string() < b.path().filename().string();
              });
    for (const fs::directory_entry& entry : entries) {
        if (found.size() >= maxCount)
            return;
        if (entry.is_directory(error) && !entry.is_symlink(error))
            Walk(entry.path(), take, maxCount, found);
        else if (entry.is_regular_file(error) && take(entry.path().string()))
            found.push_back(entry.path().string());
    }
}

} // namespace

std::vector<std::string> FilesBelow(const std::string& folder,
                                    const std::function<bool(const std::string&)>& take,
                                    std::size_t maxCount) {
    std::vector<std::string> found;
    Walk(fs::path(folder), take, maxCount, found);
    return found;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::path(path), error);
}

} // namespace FolderWalk
