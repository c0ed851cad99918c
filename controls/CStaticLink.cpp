#include "CStaticLink.h"

#include "CDesktopLinkShell.h"
#include "CHandCursor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {

ILinkShell* g_shell = nullptr;

} // namespace

CStaticLink::CStaticLink(const QString& target, QWidget* parent)
    : QLabel(parent), m_visit(target) {}

QColor CStaticLink::CurrentColor() const {
    return m_visit.Visited() ? s_crOpened : s_crNotOpened;
}

void CStaticLink::SetNoPrefix(bool noPrefix) {
    m_bNoPrefix = noPrefix;
    update();
}

void CStaticLink::SetShell(ILinkShell* shell) {
    g_shell = shell;
}

ILinkShell& CStaticLink::Shell() {
    static CDesktopLinkShell desktop;
    return g_shell != nullptr ? *g_shell : desktop;
}

CHandCursor& CStaticLink::HandCursor() {
    // One attempt per process, shared by every link.
    static CHandCursor cursor([] { return Shell().LoadHandCursor(); });
    return cursor;
}

bool CStaticLink::IsDrawnAsLink() const {
    return !m_bNoPrefix && pixmap().isNull() && picture().isNull() && movie() == nullptr;
}

void CStaticLink::paintEvent(QPaintEvent* event) {
    if (!IsDrawnAsLink()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, CurrentColor());
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), colours,
                          isEnabled(), text(), QPalette::WindowText);
}

void CStaticLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    const auto outcome =
        m_visit.Click(text(), [](const QString& target) { return Shell().Open(target); });
    if (outcome == LinkVisit::Outcome::Opened) {
        update();
    } else if (outcome == LinkVisit::Outcome::Failed) {
        Shell().Beep();
    }
}

void CStaticLink::enterEvent(QEnterEvent* event) {
    if (const QCursor* hand = HandCursor().Get()) {
        setCursor(*hand);
    }
    QLabel::enterEvent(event);
}
