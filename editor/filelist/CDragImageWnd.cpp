#include "CDragImageWnd.h"

#include <QBitmap>
#include <QPainter>

CDragImageWnd::CDragImageWnd(const QPixmap& picture, const QPoint& hotSpot)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                           Qt::NoDropShadowWindowHint),
      m_picture(picture), m_hotSpot(hotSpot) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    const QBitmap mask = m_picture.createMaskFromColor(QColor(kKeyColour), Qt::MaskInColor);
    m_picture.setMask(mask);
    resize(m_picture.deviceIndependentSize().toSize());
    // The window's shape, so the green stays see-through without a compositor too.
    setMask(QBitmap::fromPixmap(mask.scaled(size())));
}

void CDragImageWnd::MoveTo(const QPoint& globalPos) {
    move(globalPos - m_hotSpot);
}

void CDragImageWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
