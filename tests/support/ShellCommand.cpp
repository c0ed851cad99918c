#include "ShellCommand.h"

#include <sys/wait.h>

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CommandResult RunCommand(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    return pipe != nullptr ? FinishCommand(pipe) : CommandResult();
}

CommandResult FinishCommand(FILE* pipe) {
    CommandResult result;
    result.started = true;
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        result.out.append(buffer, got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
