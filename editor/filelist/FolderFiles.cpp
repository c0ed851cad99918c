#include "FolderFiles.h"

#include "FileListTexts.h"
#include "FolderWalk.h"

#include <QFile>

#include <algorithm>

namespace FolderFiles {

namespace {

QStringList Mp3sBelow(const QString& folder, int maxCount, const Mp3Test& isMp3) {
    QStringList paths;
    const auto take = [&isMp3](const std::string& path) {
        return isMp3(QFile::decodeName(QByteArray::fromStdString(path)));
    };
    for (const std::string& path :
         FolderWalk::FilesBelow(QFile::encodeName(folder).toStdString(), take,
                                static_cast<std::size_t>(std::max(maxCount, 0))))
        paths << QFile::decodeName(QByteArray::fromStdString(path));
    return paths;
}

} // namespace

QStringList Chosen(const QString& folder, int rowCount, const Mp3Test& isMp3) {
    // The dialog's rule adds the first file unchecked and stops after the first further file
    // that takes the list past the capacity.
    return Mp3sBelow(folder, std::max(2, FileListTexts::kCapacity + 1 - rowCount), isMp3);
}

QStringList Dropped(const QStringList& paths, int rowCount, const Mp3Test& isMp3) {
    const int enough = std::max(FileListTexts::kCapacity - rowCount, 0) + 1;
    QStringList files;
    for (const QString& path : paths) {
        if (files.size() >= enough)
            break;
        if (IsFolder(path))
            files << Mp3sBelow(path, enough - static_cast<int>(files.size()), isMp3);
        else
            files << path;
    }
    return files;
}

bool IsFolder(const QString& path) {
    return FolderWalk::IsFolder(QFile::encodeName(path).toStdString());
}

} // namespace FolderFiles
