#pragma once

#include <QImage>
#include <QList>
#include <QSize>

// The toolbar's pictures come as one bitmap per set, the images side by side in button order,
// with magenta marking what is not part of a picture.
namespace ToolBarBitmap {

// One button's picture at each scale the program has it: the bitmap's own image first, then the
// same picture drawn at twice the size (device pixel ratio 2) where one was rendered.
using Picture = QList<QImage>;

// The images of bitmap `bitmapId`, each `imageSize`, magenta made transparent. Empty when the
// bitmap is missing or is not a row of whole images.
QList<QImage> LoadMaskedStrip(int bitmapId, QSize imageSize);

// The pictures of bitmap `bitmapId`, one per image of LoadMaskedStrip, each with its
// double-size drawing (":/bitmaps/<id>@2x.png") when the program has one.
QList<Picture> LoadPictures(int bitmapId, QSize imageSize);

// Cuts a loaded strip the same way (also the seam for tests that build their own bitmap).
QList<QImage> CutMaskedStrip(const QImage& strip, QSize imageSize);

} // namespace ToolBarBitmap
