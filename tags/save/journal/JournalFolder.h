#pragma once

#include "FileIdentity.h"
#include "PosixFile.h"

#include <string>
#include <vector>

// The folder of this user's rollback journals: $XDG_STATE_HOME/tageditor, or
// ~/.local/state/tageditor when XDG_STATE_HOME is unset, empty or not an absolute path.
//
// The folder itself is the lock that tells live journals from those of Saves that were killed:
// a Save holds it shared from before it writes its journal until after it removed it, and the
// recovery at start-up holds it exclusively, so every journal the recovery sees was left by a
// process that is gone.
class JournalFolder {
public:
    // For a Save: creates the folder when it is missing and takes the shared lock. When that
    // fails, IsOpen() is false and Problem() says why, as a sentence without its full stop.
    static JournalFolder ForSaving();
    // For the recovery: opens the folder only when it exists, and takes the exclusive lock.
    static JournalFolder ForRecovery();

    // Where the folder is, whether it exists or not; empty when no home folder is known.
    static std::string Location();

    bool IsOpen() const { return m_folder.IsOpen(); }
    // Lets go of the folder and its lock.
    void Release() { m_folder.Close(); }
    const std::string& Path() const { return m_path; }
    const std::string& Problem() const { return m_problem; }

    // The one journal a Save of that file keeps: Saves of one file never overlap, since they
    // hold the file's lock.
    std::string JournalPathFor(const FileIdentity& file) const;
    // Every journal in the folder, in the order of their names.
    std::vector<std::string> Journals() const;
    // Makes the folder's entries (a journal just created) reach the disk.
    bool Sync() const;

private:
    JournalFolder() = default;
    bool OpenAndLock(int operation);

    std::string m_path;
    std::string m_problem;
    PosixFile m_folder;
};
