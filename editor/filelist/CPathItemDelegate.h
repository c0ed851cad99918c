#pragma once

#include <QStyledItemDelegate>

// Draws a row's path so that its file name stays readable however narrow the column: the
// folder part gives way first (PathElision).
class CPathItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
