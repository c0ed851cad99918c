#pragma once

#include "SaveResult.h"

#include <string>

// The ways a Save reports that it did not write the file, worded alike wherever they arise.
namespace SaveFailure {

// WHAT went wrong, and that the file is as it was.
SaveResult Failed(std::string what);
// WHAT went wrong, the system's reason (errno), and that the file is as it was.
SaveResult FailedWithReason(const std::string& what);
// FAILURE happened while the file was being written, and putting its old bytes back failed too
// (errno). The file keeps its journal, and the next start keeps what the file then holds: the
// new tags when every new byte is in the file (NEWTAGSSTAY), otherwise the old ones.
SaveResult NotPutBack(const SaveResult& failure, bool newTagsStay);
// Another program wrote the file while the Save wrote it, and the file keeps that change.
SaveResult ChangedWhileSaved();
// The file is no longer the one that was loaded (or last saved): writing would undo what
// another program wrote.
SaveResult ChangedByAnotherProgram();

} // namespace SaveFailure
