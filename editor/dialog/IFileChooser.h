#pragma once

#include <QStringList>

class QWidget;

// The file dialogs of Add File, Add Folder and the cover's commands, behind an interface so
// tests can choose files and folders.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Existing files chosen by the user, in the dialog's order; empty when cancelled.
    virtual QStringList ChooseFiles(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
    // An existing folder chosen by the user; empty when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& title) = 0;
    // One existing file; empty when cancelled.
    virtual QString ChooseFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    // Where to write a new file, starting from SUGGESTED; the user has agreed to replace a file
    // that is there. Empty when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& title,
                                   const QString& suggested) = 0;
};
