#pragma once

#include <string>

// What the recovery at start-up did about one file whose in-place Save was interrupted, for the
// editor and the command line to tell the user.
struct RecoveryReport {
    enum class Outcome {
        Restored,    // the file holds its old tags again
        NotRestored, // the file changed or went away since; its journal was dropped
        Failed,      // the old tags could not be written back; the next start tries again
        Waiting,     // the file cannot be reached now (its disk away?); the next start tries again
        LeftAlone,   // a journal or journal folder that is not the user's own; PATH names it
    };

    Outcome outcome;
    std::string path;    // the file's real path, or what was left alone
    std::string message; // what happened, in plain words, without the path
};
