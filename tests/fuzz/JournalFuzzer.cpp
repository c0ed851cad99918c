// libFuzzer entry: every input is a rollback journal, played back as a start would.
#include "FuzzSupport.h"
#include "PlayBackJournal.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const PlayBackJournal playBack(FuzzSupport::ScratchFolder("journal-fuzz"));
    playBack.Run(data, size);
    return 0;
}
