#pragma once

#include <QString>

// The help page's location for an executable at EXECUTABLEPATH: the executable's folder with
// its trailing separator, then the page inside the compiled help file beside it.
QString HelpLocation(const QString& executablePath);
