#pragma once

#include "HeaderGeometry.h"

#include <QRect>

#include <functional>
#include <vector>

class QColor;
class QPainter;
class QWidget;

// Drawing steps shared by the flat header and its floating drag window.
namespace HeaderPainting {

// Draws into an off-screen image the size of `clip` (in the target's coordinates) and copies it
// to the target in one operation, so that nothing flickers while columns are resized or dragged.
void PaintBuffered(QWidget& target, const QRect& clip, const std::function<void(QPainter&)>& draw);

// A one-pixel frame inside `rect`: topLeft along the top and left edges, bottomRight along the
// right and bottom edges, the bottom-right colour owning both far corners.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight);

void DrawPixels(QPainter& painter, const std::vector<HeaderPoint>& pixels, const QColor& colour);

QRect ToQRect(const HeaderRect& rect);
HeaderRect ToHeaderRect(const QRect& rect);

} // namespace HeaderPainting
