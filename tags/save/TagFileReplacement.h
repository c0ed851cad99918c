#pragma once

#include "PosixFile.h"
#include "SavePlan.h"
#include "SaveResult.h"

#include <functional>
#include <memory>

class TempFileNote;
class TempFileSignalCleanup;

// Writes a Save whose tags do not fit the file's room as a whole new file beside the old one:
// the audio copied untouched, owner, mode and extended attributes (access control lists among
// them) kept, synced, read back and only then renamed over the old file, so that the file is
// either wholly the old one or wholly the new one. Its temporary file never outlives a failed
// Save, nor SIGINT, SIGTERM or SIGHUP; it has no name at all until it is complete where the
// file system allows, and a name the next start removes after a kill otherwise.
class TagFileReplacement {
public:
    explicit TagFileReplacement(const SavePlan& plan);
    ~TagFileReplacement();
    TagFileReplacement(const TagFileReplacement&) = delete;
    TagFileReplacement& operator=(const TagFileReplacement&) = delete;

    // On success SAVED is the new file's identity.
    SaveResult Run(FileIdentity* saved);

private:
    SaveResult CreateTemp();
    SaveResult WriteNewFile();
    SaveResult KeepOwnerAndMode();
    SaveResult Sync();
    SaveResult Verify();
    SaveResult CheckUnchanged();
    SaveResult Commit();

    // Names the temporary file: MAKENAME gives PATH to the file (TEMP), false with errno set
    // when it could not. Retries with another name while the name is taken.
    bool GiveName(const std::function<bool(const std::string& path, PosixFile* temp)>& makeName);
    std::size_t ChunkSize() const;

    const SavePlan& m_plan;
    std::string m_tempPath;
    PosixFile m_temp;
    std::unique_ptr<TempFileNote> m_note;
    std::unique_ptr<TempFileSignalCleanup> m_signalCleanup;
};
