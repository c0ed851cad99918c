#include "ToolBarBitmap.h"

#include <QColor>
#include <QString>

namespace ToolBarBitmap {
namespace {

const QRgb kTransparentColour = qRgb(255, 0, 255);

void MaskOut(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == (kTransparentColour & RGB_MASK)) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
}

} // namespace

QList<QImage> LoadMaskedStrip(int bitmapId, QSize imageSize) {
    return CutMaskedStrip(QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(bitmapId)), imageSize);
}

QList<Picture> LoadPictures(int bitmapId, QSize imageSize) {
    const QList<QImage> images = LoadMaskedStrip(bitmapId, imageSize);
    const QList<QImage> doubled =
        CutMaskedStrip(QImage(QStringLiteral(":/bitmaps/%1@2x.png").arg(bitmapId)), imageSize * 2);
    QList<Picture> pictures;
    for (int i = 0; i < images.size(); ++i) {
        Picture picture{images.at(i)};
        if (doubled.size() == images.size()) {
            QImage sharp = doubled.at(i);
            sharp.setDevicePixelRatio(2);
            picture.append(sharp);
        }
        pictures.append(picture);
    }
    return pictures;
}

QList<QImage> CutMaskedStrip(const QImage& strip, QSize imageSize) {
    if (strip.isNull() || imageSize.isEmpty() || strip.height() != imageSize.height() ||
        strip.width() % imageSize.width() != 0) {
        return {};
    }
    QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    MaskOut(argb);
    QList<QImage> images;
    for (int x = 0; x < argb.width(); x += imageSize.width()) {
        images.append(argb.copy(QRect(QPoint(x, 0), imageSize)));
    }
    return images;
}

} // namespace ToolBarBitmap
