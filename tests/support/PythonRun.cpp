#include "PythonRun.h"

#include "ShellCommand.h"

std::string PythonOutput(const std::vector<std::string>& arguments) {
    std::string command = "/usr/bin/python3";
    for (const std::string& argument : arguments)
        command += " " + ShellQuoted(argument);
    const CommandResult result = RunCommand(command + " 2>&1");
    return result.started ? result.out : "cannot start /usr/bin/python3";
}
