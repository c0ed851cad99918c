#pragma once

#include "SaveResult.h"

#include <string>

// The ways a Save reports that it did not write the file, worded alike wherever they arise.
namespace SaveFailure {

// WHAT went wrong, and that the file is as it was.
SaveResult Failed(std::string what);
// WHAT went wrong, the system's reason (the errno value ERROR), and that the file is as it was.
SaveResult FailedWithReason(const std::string& what, int error);
// FAILURE happened while the file was being written, and putting its old bytes back failed too,
// for the errno value PUTBACKERROR. The file keeps its journal, and the next start keeps what the
// file then holds: the new tags when every new byte is in the file (NEWTAGSSTAY), otherwise the old
// ones.
SaveResult NotPutBack(const SaveResult& failure, int putBackError, bool newTagsStay);
// Another program wrote the file while the Save wrote it, and the file keeps that change.
SaveResult ChangedWhileSaved();
// The file is no longer the one that was loaded (or last saved): writing would undo what
// another program wrote.
SaveResult ChangedByAnotherProgram();

} // namespace SaveFailure
