#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

// The picture of the rows being dragged, following the pointer in a small frameless window
// that never takes a click or the focus. Pure green in the picture is see-through.
class CDragImageWnd : public QWidget {
    Q_OBJECT
public:
    // The see-through colour of the picture.
    static constexpr QRgb kKeyColour = 0xFF00FF00;

    CDragImageWnd(const QPixmap& picture, const QPoint& hotSpot);

    // Places the picture so that its hot spot lies under `globalPos`.
    void MoveTo(const QPoint& globalPos);
    const QPixmap& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QPoint m_hotSpot;
};
