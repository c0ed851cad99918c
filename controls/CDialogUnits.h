#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Converts the dialog units of a layout table (a window's size and its controls' rectangles)
// into pixels with the base units of the dialog's font, so the window keeps its proportions
// whatever font the desktop gives it.
class CDialogUnits {
public:
    // Horizontal base unit: the average width of "A".."Z" and "a".."z", rounded;
    // vertical base unit: the font's height. One dialog unit is a quarter of the first
    // and an eighth of the second.
    explicit CDialogUnits(const QFont& font);
    CDialogUnits(int baseX, int baseY);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

    int XToPixels(int x) const;
    int YToPixels(int y) const;
    // Edges are converted, not sizes, so controls that touch in units touch in pixels.
    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;

private:
    int m_baseX;
    int m_baseY;
};
