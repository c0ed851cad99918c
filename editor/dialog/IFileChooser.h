#pragma once

#include <QStringList>

class QWidget;

// The file-open dialog of Add File, behind an interface so tests can choose files.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Existing files chosen by the user, in the dialog's order; empty when cancelled.
    virtual QStringList ChooseFiles(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
};
