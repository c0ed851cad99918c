#include "CSystemMessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

const QString kMakerCaption = QStringLiteral("Melvora");

QMessageBox::Icon ToBoxIcon(IMessageBoxes::Icon icon) {
    switch (icon) {
    case IMessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case IMessageBoxes::Icon::Warning:
        return QMessageBox::Warning;
    case IMessageBoxes::Icon::Critical:
        return QMessageBox::Critical;
    case IMessageBoxes::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool CSystemMessageBoxes::Ask(const QString& text) {
    QMessageBox box(QMessageBox::Question, kMakerCaption, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void CSystemMessageBoxes::Notify(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kMakerCaption, text, QMessageBox::Ok);
    box.exec();
}

void CSystemMessageBoxes::AppMessage(const QString& text, Icon icon) {
    QMessageBox box(ToBoxIcon(icon), QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}
