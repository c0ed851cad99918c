#pragma once

#include <QStringList>

class QWidget;

// The file dialogs of Add File and of the cover's commands, behind an interface so tests can
// choose files.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Existing files chosen by the user, in the dialog's order; empty when cancelled.
    virtual QStringList ChooseFiles(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
    // One existing file; empty when cancelled.
    virtual QString ChooseFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    // Where to write a new file, starting from SUGGESTED; the user has agreed to replace a file
    // that is there. Empty when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& title,
                                   const QString& suggested) = 0;
};
