#pragma once

#include "JournalFolder.h"
#include "JournalRecord.h"
#include "PosixFile.h"
#include "SavePlan.h"
#include "SaveResult.h"

#include <string>

// Writes a Save whose new ID3v2 tag takes exactly the old one's room over the old tags, in the
// file itself: only the tags' bytes are written, so the cost does not grow with the file, and
// the file stays the same file (hard links, owner, mode, attributes, the holes of a sparse
// file, a folder the user may not write).
//
// The old bytes go into a rollback journal that is on disk before the file is touched. A write
// that fails is undone from it at once; one cut short by a kill or a power cut is undone when
// the editor or tageditor-cli next starts (JournalRecovery).
class InPlaceTagWriter {
public:
    // FOLDER is held (shared) until the journal is gone.
    InPlaceTagWriter(const SavePlan& plan, JournalFolder folder);
    ~InPlaceTagWriter();
    InPlaceTagWriter(const InPlaceTagWriter&) = delete;
    InPlaceTagWriter& operator=(const InPlaceTagWriter&) = delete;

    // Whether the plan can be written in place: the new ID3v2 tag is as long as the old one
    // and the ID3v1 tag is whole.
    static bool Fits(const SavePlan& plan);

    // On success SAVED is the file's identity after the write.
    SaveResult Run(FileIdentity* saved);

private:
    SaveResult OpenForWriting();
    SaveResult ReadOldBytes();
    SaveResult WriteJournal();
    SaveResult CheckUnchanged();
    SaveResult WriteNewBytes();
    SaveResult Verify();

    SaveResult PutOldBytesBack(const SaveResult& failure);
    bool ReadAudioEdges(const PosixFile& file, std::string* edges) const;

    const SavePlan& m_plan;
    JournalFolder m_folder;
    PosixFile m_file;
    JournalRecord m_record;
    std::string m_audioEdges; // the audio next to both tags, which must not change
    std::string m_journalName;
    bool m_fileMayBeTorn = false; // the journal is what the file's old bytes are left in
};
