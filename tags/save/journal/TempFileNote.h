#pragma once

#include "PosixFile.h"

#include <string>

class JournalFolder;

// A note in the journal folder naming a temporary file that a Save gives a name beside the file
// it replaces, written before that name exists and removed once it is gone. The writer keeps
// the note locked while it lives, so a note that can be locked was left by a process that was
// killed: the next start removes the temporary file it names (RemoveAbandoned), which nothing
// else would ever remove.
class TempFileNote {
public:
    // Notes TEMPPATH; without a journal folder of the user's own nothing is noted.
    explicit TempFileNote(const std::string& tempPath);
    ~TempFileNote();
    TempFileNote(const TempFileNote&) = delete;
    TempFileNote& operator=(const TempFileNote&) = delete;

    // Whether TEMPPATH is named like a temporary file of a Save: only such a file is removed.
    static bool IsTempFileName(const std::string& tempPath);
    // The temporary file's name for the file at TARGET, with its random part SUFFIX.
    static std::string TempFileNameFor(const std::string& target, const std::string& suffix);

    // For the recovery at start-up, holding FOLDER exclusively: removes every temporary file
    // whose writer is gone, and its note.
    static void RemoveAbandoned(const JournalFolder& folder);

private:
    std::string m_folder;
    std::string m_name;
    PosixFile m_note;
};
