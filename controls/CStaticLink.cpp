#include "CStaticLink.h"

#include "CDesktopLinkShell.h"
#include "CHandCursor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {

ILinkShell* g_shell = nullptr;

// A window colour darker than this (QColor lightness, 0 to 255) counts as a dark palette.
constexpr int kDarkBelowLightness = 128;

} // namespace

CStaticLink::CStaticLink(const QString& target, QWidget* parent)
    : QLabel(parent), m_visit(target) {}

QColor CStaticLink::CurrentColor() const {
    // Pure blue and purple are made for a light window and can hardly be read on a dark one:
    // there the desktop's own link colours, chosen for its dark palette, take their place.
    const QPalette& colours = palette();
    if (colours.color(backgroundRole()).lightness() < kDarkBelowLightness)
        return colours.color(m_visit.Visited() ? QPalette::LinkVisited : QPalette::Link);
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
