#include "FileListCapacity.h"

#include "FileListTexts.h"

namespace FileListCapacity {

bool AddChosenFiles(const QStringList& paths, const std::function<void(const QString&)>& addFile,
                    const std::function<int()>& rowCount) {
    for (qsizetype i = 0; i < paths.size(); ++i) {
        addFile(paths[i]);
        if (i > 0 && rowCount() > FileListTexts::kCapacity)
            return true;
    }
    return false;
}

bool DropFits(int rowCount, int dropped) {
    return dropped >= 0 && static_cast<qint64>(rowCount) + dropped <= FileListTexts::kCapacity;
}

} // namespace FileListCapacity
