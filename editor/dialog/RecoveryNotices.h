#pragma once

class IMessageBoxes;

// At start-up, before any file is linked: plays back what in-place Saves cut short by a kill or
// a power cut left behind, and tells the user, one notice per file, what became of each file.
class RecoveryNotices {
public:
    static void PlayBackAndTell(IMessageBoxes& boxes);
};
