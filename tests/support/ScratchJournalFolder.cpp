#include "ScratchJournalFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

ScratchJournalFolder::ScratchJournalFolder() {
    if (const char* previous = std::getenv("XDG_STATE_HOME"))
        m_previous = previous;
    ::setenv("XDG_STATE_HOME", m_dir.Path().c_str(), 1);
}

ScratchJournalFolder::~ScratchJournalFolder() {
    if (m_previous)
        ::setenv("XDG_STATE_HOME", m_previous->c_str(), 1);
    else
        ::unsetenv("XDG_STATE_HOME");
}

std::vector<std::string> ScratchJournalFolder::Journals() const {
    std::vector<std::string> names;
    std::error_code noFolder;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(), noFolder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
