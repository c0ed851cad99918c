#pragma once

#include <string>
#include <vector>

// Runs Debian's /usr/bin/python3 (where python3-mutagen lives) with ARGUMENTS and returns what
// it printed, standard error included.
std::string PythonOutput(const std::vector<std::string>& arguments);
