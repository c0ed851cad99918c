#include "Unprivileged.h"

#include <unistd.h>

namespace Unprivileged {

bool TestsRunAsRoot() {
    return ::geteuid() == 0;
}

bool GiveToNobody(const std::string& path) {
    return !TestsRunAsRoot() || ::chown(path.c_str(), kNobody, kNobody) == 0;
}

std::string CommandPrefix() {
    return TestsRunAsRoot() ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
}

} // namespace Unprivileged
