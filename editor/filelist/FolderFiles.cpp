#include "FolderFiles.h"

#include "FileListTexts.h"
#include "FolderWalk.h"
#include "Mp3Folder.h"

#include <QFile>

#include <algorithm>

namespace FolderFiles {

namespace {

QStringList Mp3sBelow(const QString& folder, int maxCount) {
    QStringList paths;
    for (const std::string& path :
         Mp3Folder::Mp3sBelow(QFile::encodeName(folder).toStdString(),
                              static_cast<std::size_t>(std::max(maxCount, 0))))
        paths << QFile::decodeName(QByteArray::fromStdString(path));
    return paths;
}

} // namespace

QStringList Chosen(const QString& folder, int rowCount) {
    // The dialog's rule adds the first file unchecked and stops after the first further file
    // that takes the list past the capacity.
    return Mp3sBelow(folder, std::max(2, FileListTexts::kCapacity + 1 - rowCount));
}

QStringList Dropped(const QStringList& paths, int rowCount) {
    const int enough = std::max(FileListTexts::kCapacity - rowCount, 0) + 1;
    QStringList files;
    for (const QString& path : paths) {
        if (files.size() >= enough)
            break;
        if (FolderWalk::IsFolder(QFile::encodeName(path).toStdString()))
            files << Mp3sBelow(path, enough - static_cast<int>(files.size()));
        else
            files << path;
    }
    return files;
}

} // namespace FolderFiles
