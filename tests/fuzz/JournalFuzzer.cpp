// libFuzzer entry: every input is a rollback journal, played back as a start would.
#include "PlayBackJournal.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// A folder of its own in memory when there is one, as for the tag fuzzer.
std::string ScratchFolder() {
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string folder = std::string(base) + "/journal-fuzz-XXXXXX";
        if (::mkdtemp(folder.data()))
            return folder;
    }
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const PlayBackJournal playBack(ScratchFolder());
    playBack.Run(data, size);
    return 0;
}
