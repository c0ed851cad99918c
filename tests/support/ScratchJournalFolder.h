#pragma once

#include "ScratchDir.h"

#include <optional>
#include <string>
#include <vector>

// While it lives, the rollback journals of this process and of the children it starts go to a
// scratch folder of their own (through XDG_STATE_HOME), away from the user's and other tests'.
class ScratchJournalFolder {
public:
    ScratchJournalFolder();
    ~ScratchJournalFolder();
    ScratchJournalFolder(const ScratchJournalFolder&) = delete;
    ScratchJournalFolder& operator=(const ScratchJournalFolder&) = delete;

    const std::string& StateHome() const { return m_dir.Path(); }
    std::string Folder() const { return m_dir.File("tageditor"); }
    // The journals in the folder, by name.
    std::vector<std::string> Journals() const;

private:
    ScratchDir m_dir;
    std::optional<std::string> m_previous;
};
