#pragma once

#include <QString>

// A help location as the Help command builds it, "FOLDER/quillet.chm::/index.html": the
// archive's file path, then "::", then the page inside the archive.
struct ChmLocation {
    QString archivePath;
    QString page; // always starts with '/'

    // A location without "::" names the archive alone and means its first page.
    static ChmLocation Parse(const QString& location);
};
