#include "ToolBarLabel.h"

#include <QStringList>

QString ToolBarLabel(const char* commandString) {
    if (commandString == nullptr) {
        return {};
    }
    const QStringList pieces =
        QString::fromLatin1(commandString).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return pieces.isEmpty() ? QString() : pieces.last();
}
