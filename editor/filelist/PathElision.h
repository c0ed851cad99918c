#pragma once

#include <QString>

class QFontMetrics;

namespace PathElision {

// PATH as it fits into WIDTH pixels of METRICS: whole when it fits; otherwise with the middle of
// its folder part left out, so that the file's name stays whole; only a name that does not fit
// on its own loses its middle too.
QString Elide(const QString& path, const QFontMetrics& metrics, int width);

} // namespace PathElision
