// libFuzzer entry: every input is a whole MP3 file taken through the editor's load and save.
#include "LoadAndSave.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// A folder of its own in memory when there is one: each run saves, and syncing a disk file
// would set the pace. The Saves' rollback journals go there too.
std::string ScratchFile() {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string folder = std::string(base) + "/tag-fuzz-XXXXXX";
        if (::mkdtemp(folder.data())) {
            ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
            return folder + "/input.mp3";
        }
    }
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LoadAndSave path(ScratchFile());
    path.Run(data, size);
    return 0;
}
