#pragma once

#include <QIcon>
#include <QString>

// Where the file list gets a file's small icon. A null icon means the file cannot be shown
// (it does not exist or cannot be read), and the list skips it.
class IFileIconSource {
public:
    virtual ~IFileIconSource() = default;
    virtual QIcon FileIcon(const QString& path) = 0;
};
