#include "InPlaceTagWriter.h"

#include "Id3Inspector.h"
#include "Id3Sizes.h"
#include "JournalPlayback.h"
#include "SaveFailure.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using SaveFailure::Failed;
using SaveFailure::FailedWithReason;

namespace {

// How much of the audio next to each tag is compared before and after the write.
constexpr std::uint64_t kAudioEdge = 4096;

} // namespace

InPlaceTagWriter::InPlaceTagWriter(const SavePlan& plan, JournalFolder folder)
    : m_plan(plan), m_folder(std::move(folder)) {}

InPlaceTagWriter::~InPlaceTagWriter() {
    // A journal whose file may be torn stays for the recovery; otherwise it has done its work.
    // Its removal need not reach the disk before the Save returns: a journal that comes back
    // after a crash finds its file holding the new bytes whole, and is dropped.
    if (!m_journalName.empty() && !m_fileMayBeTorn)
        m_folder.RemoveEntry(m_journalName);
}

bool InPlaceTagWriter::Fits(const SavePlan& plan) {
    return plan.id3v2.size() == plan.layout.tagSize && plan.id3v1.size() == Id3Sizes::kId3v1Tag;
}

SaveResult InPlaceTagWriter::Run(FileIdentity* saved) {
    for (auto step : {&InPlaceTagWriter::OpenForWriting, &InPlaceTagWriter::ReadOldBytes,
                      &InPlaceTagWriter::WriteJournal, &InPlaceTagWriter::CheckUnchanged,
                      &InPlaceTagWriter::WriteNewBytes, &InPlaceTagWriter::Verify}) {
        const SaveResult result = (this->*step)();
        if (!result.Saved())
            return m_fileMayBeTorn ? PutOldBytesBack(result) : result;
    }
    struct stat status {};
    m_file.Stat(&status);
    *saved = FileIdentity::Of(status);
    return SaveResult::Success();
}

SaveResult InPlaceTagWriter::OpenForWriting() {
    m_file = PosixFile::OpenRegularForUpdate(m_plan.target);
    struct stat status {};
    if (!m_file.IsOpen() || !m_file.Stat(&status))
        return FailedWithReason("The file cannot be written", errno);
    if (!FileIdentity::Of(status).SameFileAs(m_plan.identity))
        return SaveFailure::ChangedByAnotherProgram();
    return SaveResult::Success();
}

SaveResult InPlaceTagWriter::ReadOldBytes() {
    const TagLayout& layout = m_plan.layout;
    m_record.path = m_plan.target;
    m_record.before = m_plan.identity;
    m_record.sizeAfter = layout.audioEnd + Id3Sizes::kId3v1Tag;
    if (layout.tagSize > 0)
        m_record.regions.push_back({0, m_plan.oldId3v2, m_plan.id3v2});
    m_record.regions.push_back({layout.audioEnd, m_plan.oldId3v1, m_plan.id3v1});
    if (!ReadAudioEdges(m_plan.source, &m_audioEdges))
        return FailedWithReason("The file could not be read", errno);
    return SaveResult::Success();
}

// Audio shorter than two edges is read whole, each byte once.
bool InPlaceTagWriter::ReadAudioEdges(const PosixFile& file, std::string* edges) const {
    const TagLayout& layout = m_plan.layout;
    const std::uint64_t head = std::min(kAudioEdge, layout.AudioSize());
    const std::uint64_t tail = std::min(kAudioEdge, layout.AudioSize() - head);
    edges->assign(head + tail, '\0');
    return file.ReadAt(layout.audioBegin, edges->data(), head) == static_cast<long long>(head) &&
           file.ReadAt(layout.audioEnd - tail, edges->data() + head, tail) ==
               static_cast<long long>(tail);
}

SaveResult InPlaceTagWriter::WriteJournal() {
    const std::string name = JournalFolder::JournalNameFor(m_plan.identity);
    PosixFile journal = m_folder.CreateEntry(name);
    if (!journal.IsOpen() && errno == EEXIST)
        return Failed("A save of this file that was interrupted earlier could not be undone yet.");
    if (!journal.IsOpen())
        return FailedWithReason("The rollback journal could not be created in " + m_folder.Path(),
                                errno);
    m_journalName = name;
    const std::string bytes = m_record.Encode();
    if (!journal.WriteAll(bytes.data(), bytes.size()) || !journal.Sync() || !m_folder.Sync())
        return FailedWithReason("The rollback journal could not be written to " + m_folder.Path(),
                                errno);
    return SaveResult::Success();
}

// Besides being as found, the file must still hold the very tag bytes the journal keeps.
SaveResult InPlaceTagWriter::CheckUnchanged() {
    if (!m_plan.StillAsFound(m_file) ||
        JournalPlayback::Examine(m_record, m_file) != JournalPlayback::State::Untouched)
        return SaveFailure::ChangedByAnotherProgram();
    return SaveResult::Success();
}

SaveResult InPlaceTagWriter::WriteNewBytes() {
    m_fileMayBeTorn = true;
    for (const JournalRecord::Region& region : m_record.regions)
        if (!m_file.WriteAllAt(region.offset, region.newBytes.data(), region.newBytes.size()))
            return FailedWithReason("Writing the new tags failed", errno);
    if (!m_file.SyncData())
        return FailedWithReason("Writing the new tags to disk failed", errno);
    return SaveResult::Success();
}

// Reads the file back: the new tags whole, the audio next to them as it was, and tags this
// program would load again, laid out as before.
SaveResult InPlaceTagWriter::Verify() {
    // Bytes that are neither the old nor the new ones were written by a program that does not
    // take the lock, after this Save wrote: the later change is theirs, and putting the old
    // bytes back would undo it too.
    const JournalPlayback::State state = JournalPlayback::Examine(m_record, m_file);
    if (state == JournalPlayback::State::Changed) {
        m_fileMayBeTorn = false;
        return SaveFailure::ChangedWhileSaved();
    }
    const TagLayout& before = m_plan.layout;
    const TagInspection reread = Id3Inspector::Inspect(m_file);
    std::string audioEdges;
    if (!JournalPlayback::HoldsNewBytes(m_record, state) || !ReadAudioEdges(m_file, &audioEdges) ||
        audioEdges != m_audioEdges || !reread.Accepted() ||
        reread.layout.tagSize != before.tagSize || reread.layout.audioEnd != before.audioEnd ||
        !reread.layout.hasId3v1)
        return Failed("The file did not read back as written.");
    m_fileMayBeTorn = false;
    return SaveResult::Success();
}

SaveResult InPlaceTagWriter::PutOldBytesBack(const SaveResult& failure) {
    if (!JournalPlayback::PutBack(m_record, m_file)) {
        // The next start decides by what the file holds, and so must what the user is told.
        const int error = errno;
        const bool newTagsStay =
            JournalPlayback::HoldsNewBytes(m_record, JournalPlayback::Examine(m_record, m_file));
        return SaveFailure::NotPutBack(failure, error, newTagsStay);
    }
    m_fileMayBeTorn = false;
    return failure;
}
