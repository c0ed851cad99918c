#include "WindowGrowth.h"

#include <algorithm>

WindowGrowth::WindowGrowth(QSize smallest, QRect list, QRect form, int fieldsRight)
    : m_smallest(smallest), m_list(list), m_form(form), m_fieldsRight(fieldsRight) {}

QRect WindowGrowth::Place(const QRect& base, QSize size) const {
    const int extraWidth = std::max(size.width() - m_smallest.width(), 0);
    const int extraHeight = std::max(size.height() - m_smallest.height(), 0);
    const int listWidth = ListShare(extraWidth);
    const int formWidth = extraWidth - listWidth;
    QRect placed = base;

    // A band as wide as the window: the toolbar and its line above the list, the status bar
    // below everything.
    if (base.left() <= 0 && base.right() >= m_smallest.width() - 1) {
        placed.setWidth(base.width() + extraWidth);
        if (base.top() > m_list.bottom())
            placed.translate(0, extraHeight);
        return placed;
    }
    const bool belowTheRows = base.top() > std::max(m_list.bottom(), m_form.bottom());
    if (base.left() < m_form.left()) {
        // The list itself, or what sits under it (the play bar).
        placed.setWidth(base.width() + listWidth);
        if (belowTheRows)
            placed.translate(0, extraHeight);
        else
            placed.setHeight(base.height() + extraHeight);
        return placed;
    }
    placed.translate(listWidth, 0);
    if (belowTheRows) {
        placed.translate(0, extraHeight);
        placed.setWidth(base.width() + formWidth);
    } else if (base == m_form) {
        placed.setSize(base.size() + QSize(formWidth, extraHeight));
    } else if (base.left() > m_fieldsRight) {
        // Beside the fields (the cover): it keeps its size and the form's right edge.
        placed.translate(formWidth, 0);
    } else if (base.right() >= m_fieldsRight && base.left() < FieldsMiddle()) {
        placed.setWidth(base.width() + formWidth);
    }
    return placed;
}
