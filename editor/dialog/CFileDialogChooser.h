#pragma once

#include "IFileChooser.h"

// The desktop's own file-open dialog, several existing files at once.
class CFileDialogChooser : public IFileChooser {
public:
    QStringList ChooseFiles(QWidget* parent, const QString& title, const QString& filter) override;
};
