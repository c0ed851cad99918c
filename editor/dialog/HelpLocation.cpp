#include "HelpLocation.h"

#include "EditorTexts.h"

QString HelpLocation(const QString& executablePath) {
    // Qt hands paths over with '/' on every platform.
    const QString folder = executablePath.left(executablePath.lastIndexOf(QLatin1Char('/')) + 1);
    return folder + QLatin1String(EditorTexts::kHelpPage);
}
