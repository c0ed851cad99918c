#pragma once

#include <string>

// While it lives, SIGINT, SIGTERM and SIGHUP first remove a temporary file and then do what they
// would have done (for a signal left at its default: end the process). A process has one at a
// time; signals the process ignores stay ignored.
class TempFileSignalCleanup {
public:
    explicit TempFileSignalCleanup(const std::string& path);
    ~TempFileSignalCleanup();
    TempFileSignalCleanup(const TempFileSignalCleanup&) = delete;
    TempFileSignalCleanup& operator=(const TempFileSignalCleanup&) = delete;
};
