#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Takes one file's bytes the way the editor takes a file: load it into the tag object, read the
// six values, save changed values into it, save once more within the same link. Checks what a
// Save promises and aborts the process when a promise is broken, so that the fuzzer and the
// corpus test both report it: a refused file stays byte for byte, a saved one loads again with
// the new values and its audio unchanged, a tag that kept its size was written in place (the
// same file, no journal left behind). Needs a journal folder it may write.
class LoadAndSave {
public:
    // SCRATCHPATH is the file the bytes are written to for each run.
    explicit LoadAndSave(std::string scratchPath);

    struct Saves {
        int inPlace = 0;
        int writtenAnew = 0;
    };
    // How the run's Saves were written.
    Saves Run(const std::uint8_t* data, std::size_t size) const;

private:
    std::string m_path;
};
