#include "ToolBarLabel.h"

#include <QCoreApplication>
#include <QStringList>

QString ToolBarLabel(const char* commandString) {
    if (commandString == nullptr) {
        return {};
    }
    const QStringList pieces = QCoreApplication::translate("CommandStringTable", commandString)
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return pieces.isEmpty() ? QString() : pieces.last();
}
