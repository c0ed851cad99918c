#include "CDesktopLinkShell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

bool CDesktopLinkShell::Open(const QString& target) {
    // Takes "melvora.example", "https://..." and local paths alike, as a user would type them.
    const QUrl url = QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void CDesktopLinkShell::Beep() {
    QApplication::beep();
}

std::optional<QCursor> CDesktopLinkShell::LoadHandCursor() {
    return QCursor(Qt::PointingHandCursor);
}
