#pragma once

#include "IFileIconSource.h"

#include <QPixmap>

// Gives every file the same small icon, except files whose path contains "noicon".
class FakeFileIconSource : public IFileIconSource {
public:
    QIcon FileIcon(const QString& path) override {
        if (path.contains(QLatin1String("noicon")))
            return {};
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkCyan);
        return QIcon(pixmap);
    }
};
