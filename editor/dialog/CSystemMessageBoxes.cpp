#include "CSystemMessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

const char* const kMakerCaption = QT_TRANSLATE_NOOP("CSystemMessageBoxes", "Melvora");

QString MakerCaption() {
    return QCoreApplication::translate("CSystemMessageBoxes", kMakerCaption);
}

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
    QMessageBox box(QMessageBox::Question, MakerCaption(), text,
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

IMessageBoxes::Answer CSystemMessageBoxes::AskYesNoCancel(const QString& text) {
    QMessageBox box(QMessageBox::Question, MakerCaption(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void CSystemMessageBoxes::Notify(const QString& text, Icon icon) {
    QMessageBox box(ToBoxIcon(icon), MakerCaption(), text, QMessageBox::Ok);
    box.exec();
}

void CSystemMessageBoxes::AppMessage(const QString& text, Icon icon) {
    QMessageBox box(ToBoxIcon(icon), QCoreApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}
