#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace FuzzSupport {

void BrokenPromise(const char* what, const std::string& detail) {
    std::fprintf(stderr, "broken promise: %s %s\n", what, detail.c_str());
    std::abort();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        BrokenPromise("cannot write the scratch file", path);
}

std::string ScratchFolder(const char* name) {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string folder = std::string(base) + "/" + name + "-XXXXXX";
        if (::mkdtemp(folder.data()))
            return folder;
    }
    std::abort();
}

} // namespace FuzzSupport
