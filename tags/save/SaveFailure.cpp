#include "SaveFailure.h"

#include <cstring>

namespace {

const char* const kUnchanged = " The file was left as it was.";

} // namespace

namespace SaveFailure {

SaveResult Failed(std::string what) {
    if (what.empty() || what.back() != '.')
        what += '.';
    return {SaveResult::Outcome::Failed, what + kUnchanged};
}

SaveResult FailedWithReason(const std::string& what, int error) {
    return Failed(what + ": " + std::strerror(error));
}

SaveResult NotPutBack(const SaveResult& failure, int putBackError, bool newTagsStay) {
    std::string what = failure.reason;
    if (what.size() >= std::strlen(kUnchanged) &&
        what.compare(what.size() - std::strlen(kUnchanged), std::string::npos, kUnchanged) == 0)
        what.resize(what.size() - std::strlen(kUnchanged));
    const std::string putBack =
        " Putting the old tags back failed too (" + std::string(std::strerror(putBackError)) + ")";
    return {SaveResult::Outcome::Failed,
            what + putBack +
                (newTagsStay ? "; the new tags are whole in the file, and it keeps them."
                             : "; they will be put back the next time the editor or "
                               "tageditor-cli starts.")};
}

SaveResult ChangedByAnotherProgram() {
    return {SaveResult::Outcome::Refused,
            std::string("Another program changed the file after it was loaded.") + kUnchanged};
}

SaveResult ChangedWhileSaved() {
    return {SaveResult::Outcome::Failed,
            "Another program changed the file while it was saved; the file keeps that change."};
}

} // namespace SaveFailure
