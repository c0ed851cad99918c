#pragma once

#include <string>
#include <string_view>

// What the fuzzed paths share: their scratch files, and how a broken promise ends the run.
namespace FuzzSupport {

// Prints WHAT and DETAIL and aborts, so that the fuzzer and the corpus tests both report it.
[[noreturn]] void BrokenPromise(const char* what, const std::string& detail = {});

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, std::string_view bytes);

// A new folder of the fuzzer's own, named after NAME, in memory when there is one: each run
// writes files, and syncing a disk would set the pace.
std::string ScratchFolder(const char* name);

} // namespace FuzzSupport
