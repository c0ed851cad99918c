#include "SavePlan.h"

#include "PosixFile.h"

bool SavePlan::StillAsFound(const PosixFile& file) const {
    struct stat now {};
    struct stat atPath {};
    return file.Stat(&now) && FileIdentity::Of(now) == identity &&
           ::stat(target.c_str(), &atPath) == 0 && FileIdentity::Of(atPath).SameFileAs(identity);
}
