#pragma once

#include <benchmark/benchmark.h>

#include <string>

// The program loading a file as the file list, the form and tageditor-cli show do: link it and
// read the six values.
void ProgramLoad(benchmark::State& state, const std::string& path);
