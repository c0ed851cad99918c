#pragma once

#include <QStringList>

#include <functional>

// What a folder brings into the file list: the files below it that the list's MP3 check takes,
// in path order, walked no further than the capacity rule of the way it comes in can use, so a
// huge folder costs no more than the list can take.
namespace FolderFiles {

using Mp3Test = std::function<bool(const QString&)>;

// A folder chosen with Add Folder, under the file dialog's rule: its MP3s as if each had been
// chosen in the file dialog, in path order, as many as that rule adds to a list of ROWCOUNT rows.
QStringList Chosen(const QString& folder, int rowCount, const Mp3Test& isMp3);

// A drop of PATHS, under the drop's rule: each file as it is and each folder as the MP3s below
// it. The drop is taken whole or not at all, so the walk stops one past what still fits into a
// list of ROWCOUNT rows: enough to tell that it does not.
QStringList Dropped(const QStringList& paths, int rowCount, const Mp3Test& isMp3);

bool IsFolder(const QString& path);

} // namespace FolderFiles
