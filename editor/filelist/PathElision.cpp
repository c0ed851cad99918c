#include "PathElision.h"

#include <QFontMetrics>

#include <algorithm>

namespace PathElision {

QString Elide(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const QString name = path.mid(nameStart);
    const int folderWidth = width - metrics.horizontalAdvance(name);
    const QString folder =
        metrics.elidedText(path.left(nameStart), Qt::ElideMiddle, std::max(folderWidth, 0));
    if (!folder.isEmpty())
        return folder + name;
    return metrics.elidedText(name, Qt::ElideMiddle, width);
}

} // namespace PathElision
