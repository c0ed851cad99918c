#include "CPathItemDelegate.h"

#include "PathElision.h"

#include <QApplication>
#include <QStyle>

void CPathItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.isEmpty())
        return;
    const QWidget* widget = option->widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The style draws the text inside this rectangle, less a margin on each side.
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, option, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    option->text =
        PathElision::Elide(option->text, option->fontMetrics, textRect.width() - 2 * margin);
}
