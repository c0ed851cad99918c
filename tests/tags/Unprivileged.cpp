#include "Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Unprivileged {

bool TestsRunAsRoot() {
    return ::geteuid() == 0;
}

bool GiveToNobody(const std::string& path) {
    return !TestsRunAsRoot() || ::chown(path.c_str(), kNobody, kNobody) == 0;
}

bool BecomeNobody() {
    return !TestsRunAsRoot() ||
           (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
            ::setresuid(kNobody, kNobody, kNobody) == 0);
}

std::string CommandPrefix() {
    return TestsRunAsRoot() ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
}

std::string InChild(const std::function<std::string()>& body, bool unprivileged) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "<no pipe>";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        if (unprivileged && !BecomeNobody())
            ::_exit(3);
        const std::string answer = body();
        const bool written = ::write(pipeFds[1], answer.data(), answer.size()) ==
                             static_cast<ssize_t>(answer.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(pipeFds[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<child failed with status " + std::to_string(status) + ">";
    return answer;
}

} // namespace Unprivileged
