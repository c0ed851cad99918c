#include "InterruptedSave.h"

#include "Id3Inspector.h"
#include "JournalFolder.h"
#include "PosixFile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>

InterruptedSave::InterruptedSave(const std::string& path) {
    const TagInspection inspection = Id3Inspector::Inspect(path);
    char real[PATH_MAX];
    if (!inspection.Accepted() || !::realpath(path.c_str(), real))
        throw std::runtime_error("cannot inspect " + path);
    const TagLayout& layout = inspection.layout;
    m_record.path = real;
    m_record.before = inspection.identity;
    m_record.sizeAfter = layout.audioEnd + 128;
    std::string newTag = inspection.tagBytes;
    std::fill(newTag.begin() + std::min<std::size_t>(10, newTag.size()), newTag.end(), 'N');
    m_record.regions.push_back({0, inspection.tagBytes, newTag});
    std::string oldId3v1(layout.hasId3v1 ? 128 : 0, '\0');
    PosixFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    file.ReadAt(layout.audioEnd, oldId3v1.data(), oldId3v1.size());
    m_record.regions.push_back({layout.audioEnd, oldId3v1, "TAG" + std::string(125, 'V')});
}

std::size_t InterruptedSave::Size() const {
    std::size_t size = 0;
    for (const JournalRecord::Region& region : m_record.regions)
        size += region.newBytes.size();
    return size;
}

void InterruptedSave::Leave(std::size_t written) const {
    const JournalFolder folder = JournalFolder::ForSaving();
    const std::string bytes = m_record.Encode();
    PosixFile journal(::open(folder.JournalPathFor(m_record.before).c_str(),
                             O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    PosixFile file(::open(m_record.path.c_str(), O_WRONLY | O_CLOEXEC));
    if (!journal.WriteAll(bytes.data(), bytes.size()) || !file.IsOpen())
        throw std::runtime_error("cannot leave a journal for " + m_record.path);
    for (const JournalRecord::Region& region : m_record.regions) {
        const std::size_t part = std::min(written, region.newBytes.size());
        file.WriteAllAt(region.offset, region.newBytes.data(), part);
        written -= part;
    }
}
