#include "PythonRun.h"

#include <cstdio>
#include <memory>

namespace {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string PythonOutput(const std::vector<std::string>& arguments) {
    std::string command = "/usr/bin/python3";
    for (const std::string& argument : arguments)
        command += " " + ShellQuote(argument);
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    if (!pipe)
        return "cannot start /usr/bin/python3";
    std::string output;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        output.append(buffer, n);
    return output;
}
