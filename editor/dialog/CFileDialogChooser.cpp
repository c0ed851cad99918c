#include "CFileDialogChooser.h"

#include <QFileDialog>

namespace {

QStringList ChooseExisting(QWidget* parent, const QString& title, const QString& filter,
                           QFileDialog::FileMode mode) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(mode);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace

QStringList CFileDialogChooser::ChooseFiles(QWidget* parent, const QString& title,
                                            const QString& filter) {
    return ChooseExisting(parent, title, filter, QFileDialog::ExistingFiles);
}

QString CFileDialogChooser::ChooseFile(QWidget* parent, const QString& title,
                                       const QString& filter) {
    const QStringList chosen = ChooseExisting(parent, title, filter, QFileDialog::ExistingFile);
    return chosen.isEmpty() ? QString() : chosen.front();
}

QString CFileDialogChooser::ChooseSaveFile(QWidget* parent, const QString& title,
                                           const QString& suggested) {
    // The dialog asks before a file is written over.
    return QFileDialog::getSaveFileName(parent, title, suggested);
}

QString CFileDialogChooser::ChooseFolder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title);
}
