#pragma once

#include <QStringList>

class QWidget;

// The file-open dialogs of Add File and Add Folder, behind an interface so tests can choose.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Existing files chosen by the user, in the dialog's order; empty when cancelled.
    virtual QStringList ChooseFiles(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
    // An existing folder chosen by the user; empty when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& title) = 0;
};
