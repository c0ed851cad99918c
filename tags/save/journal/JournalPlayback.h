#pragma once

#include "JournalRecord.h"

class PosixFile;

// Compares a file with the journal of a Save that wrote it in place, and puts the journal's old
// bytes back into it.
class JournalPlayback {
public:
    enum class State {
        Untouched, // every byte is still the old one
        Finished,  // every byte is the new one: the Save's writes all landed
        Torn,      // a mixture of old and new bytes: the Save stopped in the middle
        Changed,   // bytes that are neither, or a size no Save step makes: someone else wrote it
        Unreadable,
    };

    // A file that is not the journal's own inode (SAMEINODE false: found again after its disk
    // came back with other inode numbers) must show stronger evidence to count as the journal's
    // file: the bytes it has past the old end of the file must be new ones too.
    static State Examine(const JournalRecord& record, const PosixFile& file, bool sameInode = true);
    // Whether a file Examine found in STATE holds every new byte and has its new size: it
    // finished, or the Save changes no byte and so leaves a file that Examine calls Untouched.
    static bool HoldsNewBytes(const JournalRecord& record, State state);

    // Writes the old bytes back, cuts the file to its old size, gives it back its modification
    // time (where the user may) and syncs it. False with errno set when that failed.
    static bool PutBack(const JournalRecord& record, const PosixFile& file);
};
