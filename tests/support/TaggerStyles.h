#pragma once

#include <string>
#include <vector>

// Files tagged the way other taggers and players tag them, written with mutagen, and the
// comparison of two files' tags by meaning (tests/support/taggers.py).
namespace TaggerStyles {

std::vector<std::string> Names();
// STYLE as the name of a test, which may not hold a "-".
std::string TestName(const std::string& style);
// Empty when the file was written; otherwise what went wrong.
std::string Write(const std::string& style, const std::string& path);
// One line for each frame whose meaning differs between the files, except the frames named in
// CHANGES ("TALB=New album"), which AFTER must hold with those texts. Empty when all is well.
std::string Differences(const std::string& before, const std::string& after,
                        const std::vector<std::string>& changes);

} // namespace TaggerStyles
