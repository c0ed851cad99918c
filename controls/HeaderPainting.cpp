#include "HeaderPainting.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace HeaderPainting {

void PaintBuffered(QWidget& target, const QRect& clip, const std::function<void(QPainter&)>& draw) {
    if (clip.isEmpty())
        return;
    const qreal ratio = target.devicePixelRatioF();
    QImage buffer(clip.size() * ratio, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        painter.translate(-clip.topLeft());
        draw(painter);
    }
    QPainter(&target).drawImage(clip.topLeft(), buffer);
}

void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight) {
    const int x = rect.x();
    const int y = rect.y();
    const int width = rect.width();
    const int height = rect.height();
    painter.fillRect(x, y, width - 1, 1, topLeft);
    painter.fillRect(x, y, 1, height - 1, topLeft);
    painter.fillRect(x + width - 1, y, 1, height, bottomRight);
    painter.fillRect(x, y + height - 1, width, 1, bottomRight);
}

void DrawPixels(QPainter& painter, const std::vector<HeaderPoint>& pixels, const QColor& colour) {
    for (const HeaderPoint& pixel : pixels)
        painter.fillRect(pixel.x, pixel.y, 1, 1, colour);
}

QRect ToQRect(const HeaderRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

HeaderRect ToHeaderRect(const QRect& rect) {
    return HeaderRect{rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

} // namespace HeaderPainting
