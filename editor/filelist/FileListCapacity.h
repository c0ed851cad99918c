#pragma once

#include <QStringList>

#include <functional>

// How the 500-file capacity is enforced. It counts the rows of the whole list, not the files of
// one batch, and the two ways in differ: the file dialog checks after each file it adds, a drop
// is taken whole or not at all.
namespace FileListCapacity {

// Adds the files chosen in the file dialog in order with `addFile`. The first one is added
// without a check; after each further one, a list holding more than the capacity stops the
// batch (that file stays). Returns true when the capacity notice is due.
bool AddChosenFiles(const QStringList& paths, const std::function<void(const QString&)>& addFile,
                    const std::function<int()>& rowCount);

// Whether `dropped` more files fit into a list of `rowCount` rows.
bool DropFits(int rowCount, int dropped);

} // namespace FileListCapacity
