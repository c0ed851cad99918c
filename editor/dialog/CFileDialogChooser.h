#pragma once

#include "IFileChooser.h"

// The desktop's own file dialogs.
class CFileDialogChooser : public IFileChooser {
public:
    QStringList ChooseFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString ChooseFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString ChooseSaveFile(QWidget* parent, const QString& title,
                           const QString& suggested) override;
    QString ChooseFolder(QWidget* parent, const QString& title) override;
};
