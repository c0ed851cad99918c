#pragma once

#include "IFileChooser.h"

// The desktop's own file-open dialogs: several existing files at once, or one folder.
class CFileDialogChooser : public IFileChooser {
public:
    QStringList ChooseFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString ChooseFolder(QWidget* parent, const QString& title) override;
};
