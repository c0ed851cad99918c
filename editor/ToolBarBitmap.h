#pragma once

#include <QImage>
#include <QList>
#include <QSize>

// The toolbar's pictures come as one bitmap per set, the images side by side in button order,
// with magenta marking what is not part of a picture.
namespace ToolBarBitmap {

// The images of bitmap `bitmapId`, each `imageSize`, magenta made transparent. Empty when the
// bitmap is missing or is not a row of whole images.
QList<QImage> LoadMaskedStrip(int bitmapId, QSize imageSize);

// Cuts a loaded strip the same way (also the seam for tests that build their own bitmap).
QList<QImage> CutMaskedStrip(const QImage& strip, QSize imageSize);

} // namespace ToolBarBitmap
