#pragma once

#include <QRect>
#include <QSize>

// Where each control of the editor window goes when the window is larger than its smallest
// size. The list and the form share the extra room: the list takes all of the extra height (it
// shows more rows) and half of the extra width, the form's fields take the other half of the
// width; labels keep their size and move with the form, and the bands across the whole window
// (toolbar, status bar) follow its edges. A control is placed by where it stands at the smallest
// size, so a control added to the form later grows the way its neighbours do: what reaches the
// fields' right edge widens, what stands left of it (labels, the first of two fields sharing a
// line) only moves, and so does the second of two fields sharing a line (it starts in the right
// half of the fields and holds a short value: a stretched number field looks broken), and what
// stands beside the fields (the cover) keeps to the form's right.
class WindowGrowth {
public:
    // All in pixels, at the smallest size: the client area, the list, the form's frame and the
    // right edge of the form's fields.
    WindowGrowth(QSize smallest, QRect list, QRect form, int fieldsRight);

    // Where the control standing at `base` at the smallest size goes in a client area of `size`.
    // A size below the smallest places every control at its base.
    QRect Place(const QRect& base, QSize size) const;

    // The share of the extra width the list takes; the form's fields take the rest.
    static int ListShare(int extraWidth) { return extraWidth / 2; }

private:
    // Halfway between the form's left edge and the fields' right edge.
    int FieldsMiddle() const { return (m_form.left() + m_fieldsRight) / 2; }

    QSize m_smallest;
    QRect m_list;
    QRect m_form;
    int m_fieldsRight;
};
