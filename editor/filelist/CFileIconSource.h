#pragma once

#include "IFileIconSource.h"

#include <QFileIconProvider>

// The desktop's icon for a file or folder, as file managers show it.
class CFileIconSource : public IFileIconSource {
public:
    QIcon FileIcon(const QString& path) override;

private:
    QFileIconProvider m_provider;
};
