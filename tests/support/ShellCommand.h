#pragma once

#include <cstdio>
#include <string>

// Commands the tests run through /bin/sh, and what came of them.
struct CommandResult {
    bool started = false;
    int status = -1; // the exit status; -1 when the command did not exit by itself
    std::string out; // what it wrote on its standard output
};

// TEXT as one word of a shell command, whatever characters it holds.
std::string ShellQuoted(const std::string& text);

// Runs COMMAND and waits for it.
CommandResult RunCommand(const std::string& command);

// Reads PIPE (from popen) to its end and closes it, for a command started earlier.
CommandResult FinishCommand(FILE* pipe);
