#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The files below a folder, for the places that take a folder where files are expected (the
// file list's Add Folder and drops, the CLI's -r).
namespace FolderWalk {

// The files at any depth below FOLDER that TAKE accepts, in path order: each folder's entries by
// name (by character codes, as the file list sorts), a subfolder's files where its name falls.
// Links to folders are not followed, so a link back up cannot make the walk endless; hidden entries
// (a leading dot) are passed over, and so is a folder that cannot be read. The walk stops once it
// has MAXCOUNT files.
std::vector<std::string> FilesBelow(const std::string& folder,
                                    const std::function<bool(const std::string&)>& take,
                                    std::size_t maxCount = SIZE_MAX);

// Whether PATH names a folder (a link to one counts).
bool IsFolder(const std::string& path);

} // namespace FolderWalk
