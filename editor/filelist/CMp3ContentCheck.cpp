#include "CMp3ContentCheck.h"

#include "Mp3Content.h"

#include <QFile>

QString CMp3ContentCheck::WhyNotMp3(const QString& path) const {
    return QString::fromStdString(Mp3Content::Problem(QFile::encodeName(path).toStdString()));
}
