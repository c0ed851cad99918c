#pragma once

#include <string>

// How a Save ended. The tag library shows nothing itself: the caller decides how to tell the user.
struct SaveResult {
    enum class Outcome {
        Saved,     // both tags are in the file
        NotLinked, // no file had been chosen; nothing was written anywhere
        Refused,   // the file may not be written (see CTagFile::Protection), or another program
                   // changed it after it was loaded; it is untouched
        Failed,    // writing was attempted and did not complete
    };

    Outcome outcome;
    std::string reason; // plain words for a user, with the system's reason when there is one

    bool Saved() const { return outcome == Outcome::Saved; }

    static SaveResult Success() { return {Outcome::Saved, {}}; }
};
