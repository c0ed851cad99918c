#pragma once

#include "FileIdentity.h"
#include "RecoveryReport.h"

#include <optional>
#include <string>
#include <vector>

class JournalFolder;

// Plays back the rollback journals that in-place Saves left when they were killed or the
// machine stopped, so that each file holds its old tags whole again.
//
// Only journals the user wrote are trusted (see JournalFolder), and a journal is only played
// back into a regular file that is the one it was written for: at the same path, whose tag
// regions hold nothing but the journal's old and new bytes. The inode tells that at once; a
// file whose disk came back with other inode numbers (FAT, or any disk mounted anew) must
// show it by its bytes. A file that has been replaced or written by someone else since is left
// alone and its journal dropped: writing old bytes into it would damage a file that is whole.
// A journal whose file cannot be found is kept: the file may be on a disk that is away.
class JournalRecovery {
public:
    // Every journal in the user's journal folder; the reports name the files the user should
    // hear about, and what was left alone. Journals of Saves still running are left to them.
    // Also removes the temporary files of killed Saves (see TempFileNote).
    static std::vector<RecoveryReport> PlayBackAll();

    // For a Save that holds the lock of FILE (at TARGET): plays back the journal a killed Save
    // of the same file left, before anything is compared or written.
    static void PlayBackLeftover(const JournalFolder& folder, const std::string& target,
                                 const FileIdentity& file);

private:
    // TARGET is where the file is when the caller knows better than the journal and holds the
    // file's lock; when it is empty the journal's path is used and its lock is taken here.
    static std::optional<RecoveryReport>
    PlayBack(const JournalFolder& folder, const std::string& name, const std::string& target);
};
