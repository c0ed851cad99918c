#include "CFileIconSource.h"

#include <QFileInfo>

QIcon CFileIconSource::FileIcon(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QIcon icon = m_provider.icon(info);
    // Without an icon theme the provider may know no picture for a type; the generic one
    // still tells files from folders.
    if (icon.isNull())
        icon = m_provider.icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
    return icon;
}
