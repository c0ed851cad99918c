#include "CFileListCtrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>

CFileListCtrl::CFileListCtrl(QWidget* parent)
    : QTreeView(parent), m_model(new QStandardItemModel(0, 0, this)) {
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit itemClicked(index.row()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { ReportNewlySelectedRows(selected); });
}

int CFileListCtrl::GetItemCount() const {
    return m_model->rowCount();
}

QString CFileListCtrl::GetItemText(int row, int column) const {
    return m_model->index(row, column).data().toString();
}

int CFileListCtrl::InsertItem(int row, const QString& path, int /*image*/) {
    row = std::clamp(row, 0, GetItemCount());
    auto* item = new QStandardItem(path);
    item->setEditable(false);
    m_model->insertRow(row, item);
    return row;
}

bool CFileListCtrl::DeleteItem(int row) {
    // In single selection Qt's views select a neighbour of a removed current row; a removal
    // must neither select nor load another file.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    const bool removed = m_model->removeRow(row);
    setSelectionMode(QAbstractItemView::SingleSelection);
    return removed;
}

void CFileListCtrl::DeleteAllItems() {
    m_model->removeRows(0, GetItemCount());
}

int CFileListCtrl::GetFirstSelectedItem() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        if (first == -1 || index.row() < first)
            first = index.row();
    }
    return first;
}

void CFileListCtrl::SetItemSelectedFocused(int row) {
    selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

void CFileListCtrl::InsertColumn(int column, const QString& heading, int widthPx) {
    m_model->insertColumn(column);
    m_model->setHeaderData(column, Qt::Horizontal, heading);
    m_model->setHeaderData(column, Qt::Horizontal,
                           QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter),
                           Qt::TextAlignmentRole);
    header()->resizeSection(column, widthPx);
}

void CFileListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QTreeView::drawRow(painter, option, index);
    // Grid lines: under the row and after every column.
    painter->save();
    painter->setPen(palette().color(QPalette::Midlight));
    const QRect rowRect = option.rect;
    painter->drawLine(rowRect.left(), rowRect.bottom(), rowRect.right(), rowRect.bottom());
    for (int column = 0; column < header()->count(); ++column) {
        const int right = columnViewportPosition(column) + columnWidth(column) - 1;
        painter->drawLine(right, rowRect.top(), right, rowRect.bottom());
    }
    painter->restore();
}

void CFileListCtrl::ReportNewlySelectedRows(const QItemSelection& selected) {
    for (const QModelIndex& index : selected.indexes()) {
        if (index.column() == 0)
            emit itemSelected(index.row());
    }
}
