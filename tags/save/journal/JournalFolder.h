#pragma once

#include "FileIdentity.h"
#include "PosixFile.h"

#include <string>
#include <vector>

// The folder of this user's rollback journals: $XDG_STATE_HOME/tageditor, or
// ~/.local/state/tageditor when XDG_STATE_HOME is unset, empty or not an absolute path.
//
// Only a folder that is the user's own is used: owned by the effective user, writable by no one
// else and not reached through a symbolic link at its own name. A journal in it is trusted only
// when it is a regular file of that user's. Anyone else's bytes could otherwise be played back
// into the user's files, or root's.
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
    // A folder that is there but not the user's own is not opened: Untrusted() is then true.
    static JournalFolder ForRecovery();

    // Where the folder is, whether it exists or not; empty when no home folder is known.
    static std::string Location();

    bool IsOpen() const { return m_folder.IsOpen(); }
    // Lets go of the folder and its lock.
    void Release() { m_folder.Close(); }
    const std::string& Path() const { return m_path; }
    const std::string& Problem() const { return m_problem; }
    bool Untrusted() const { return m_untrusted; }

    // The name of the one journal a Save of that file keeps: Saves of one file never overlap,
    // since they hold the file's lock.
    static std::string JournalNameFor(const FileIdentity& file);
    std::string JournalPathFor(const FileIdentity& file) const;
    // The names of the journals in the folder, in order.
    std::vector<std::string> Journals() const;
    // The names of the notes of temporary files (see TempFileNote), in order.
    std::vector<std::string> TempFileNotes() const;
    // Opens the entry NAME for reading when it is a regular file of the user's own. When it is
    // there but not trusted, the result is closed and *DISTRUSTED is set.
    PosixFile OpenEntry(const std::string& name, bool* distrusted) const;
    // Creates the entry NAME for reading and writing, readable by the user alone; fails when it
    // exists.
    PosixFile CreateEntry(const std::string& name) const;
    // Removes the entry NAME from this folder (never through a link to another folder).
    void RemoveEntry(const std::string& name) const;
    // Makes the folder's entries (a journal just created) reach the disk.
    bool Sync() const;

private:
    JournalFolder() = default;
    bool OpenAndLock(int operation);
    std::vector<std::string> NamesEnding(const char* suffix) const;

    std::string m_path;
    std::string m_problem;
    bool m_untrusted = false;
    PosixFile m_folder;
};
