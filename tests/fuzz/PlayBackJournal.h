#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Takes bytes as a rollback journal left in the journal folder by a killed Save, and runs what
// every start runs on it. The journal always names the scratch folder's song.mp3, its own target,
// which holds its old tags whole; another MP3 lies beside it. The checksum is made to fit, so
// that the fields themselves are what varies. Aborts the process, for the fuzzer and the corpus
// test to report, when the recovery writes any file but the target, leaves a file anywhere, or
// changes the target in any way but putting the journal's old bytes back.
class PlayBackJournal {
public:
    // The journal format's first line, which every journal starts with.
    static const std::string& FormatLine();

    // SCRATCHFOLDER holds the target, the other file and (as XDG_STATE_HOME) the journal
    // folder; it must exist.
    explicit PlayBackJournal(std::string scratchFolder);

    // The journal to play: DATA is a journal (its path and checksum are replaced), and the first
    // byte after its path says whether its inode is made the target's.
    void Run(const std::uint8_t* data, std::size_t size) const;

    // The bytes of a journal a Save of the target with a longer title would leave.
    std::string SeedJournal() const;

private:
    std::string m_folder;
    std::string m_target;
    std::string m_other;
};
