// libFuzzer entry: every input is a whole MP3 file taken through the editor's load and save.
#include "FuzzSupport.h"
#include "LoadAndSave.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The Saves' rollback journals go to the scratch folder too.
std::string ScratchFile() {
    const std::string folder = FuzzSupport::ScratchFolder("tag-fuzz");
    ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    return folder + "/input.mp3";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LoadAndSave path(ScratchFile());
    path.Run(data, size);
    return 0;
}
