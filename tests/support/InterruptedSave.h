#pragma once

#include "JournalRecord.h"

#include <cstddef>
#include <string>

// Leaves a file as an in-place Save killed in the middle of its writes would: its rollback
// journal in the journal folder, and the first WRITTEN bytes of the new tags in the file (the
// ID3v2 tag's bytes first, then the ID3v1 tag's). The new tags are the old ID3v2 tag with every
// byte after its header changed, and a new ID3v1 tag at the end.
class InterruptedSave {
public:
    explicit InterruptedSave(const std::string& path);

    // How many bytes the whole Save would write.
    std::size_t Size() const;
    // Writes the journal and the first WRITTEN bytes.
    void Leave(std::size_t written) const;

    const JournalRecord& Record() const { return m_record; }

private:
    JournalRecord m_record;
};
