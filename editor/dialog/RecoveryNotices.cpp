#include "RecoveryNotices.h"

#include "IMessageBoxes.h"
#include "JournalRecovery.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

namespace {

// %1 is the file, %2 what became of it, in the words of the tag code.
const char* const kRecoveryNotice = QT_TRANSLATE_NOOP("RecoveryNotices", "%1\n\n%2");

// A file put back whole is news; one that could not be is a warning.
IMessageBoxes::Icon IconFor(RecoveryReport::Outcome outcome) {
    return outcome == RecoveryReport::Outcome::Restored ? IMessageBoxes::Icon::Information
                                                        : IMessageBoxes::Icon::Warning;
}

} // namespace

void RecoveryNotices::PlayBackAndTell(IMessageBoxes& boxes) {
    for (const RecoveryReport& report : JournalRecovery::PlayBackAll())
        boxes.Notify(QCoreApplication::translate("RecoveryNotices", kRecoveryNotice)
                         .arg(QFile::decodeName(QByteArray::fromStdString(report.path)),
                              QString::fromStdString(report.message)),
                     IconFor(report.outcome));
}
