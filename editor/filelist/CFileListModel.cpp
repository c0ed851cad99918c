#include "CFileListModel.h"

#include "CImageList.h"

#include <algorithm>
#include <unordered_map>

CFileListModel::CFileListModel(QObject* parent) : QAbstractTableModel(parent) {}

void CFileListModel::SetImageList(const CImageList* images) {
    m_pImages = images;
    if (m_rows.Count() > 0 && !m_headings.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.Count() - 1, 0), {Qt::DecorationRole});
}

void CFileListModel::InsertColumn(int column, const QString& heading) {
    column = std::clamp(column, 0, static_cast<int>(m_headings.size()));
    beginInsertColumns(QModelIndex(), column, column);
    m_headings.insert(column, heading);
    endInsertColumns();
}

int CFileListModel::InsertRow(int row, const QString& path, int image) {
    row = std::clamp(row, 0, m_rows.Count());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.InsertPath(row, path, image);
    endInsertRows();
    return row;
}

void CFileListModel::SetTexts(int row, int firstColumn, const QStringList& texts) {
    if (!m_rows.IsValid(row) || texts.isEmpty())
        return;
    for (qsizetype i = 0; i < texts.size(); ++i)
        m_rows.SetText(row, firstColumn + static_cast<int>(i), texts[i]);
    emit dataChanged(index(row, firstColumn),
                     index(row, firstColumn + static_cast<int>(texts.size()) - 1),
                     {Qt::DisplayRole, Qt::ToolTipRole});
}

bool CFileListModel::RemoveRow(int row) {
    if (!m_rows.IsValid(row))
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.Remove(row);
    endRemoveRows();
    return true;
}

void CFileListModel::RemoveAllRows() {
    beginResetModel();
    m_rows.Clear();
    endResetModel();
}

void CFileListModel::Reorder(const std::function<void(CFileRowStore&)>& change) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    std::vector<quint64> ids;
    ids.reserve(static_cast<size_t>(from.size()));
    for (const QModelIndex& index : from)
        ids.push_back(m_rows.Row(index.row()).id);

    change(m_rows);

    std::unordered_map<quint64, int> rowOfId;
    if (!from.isEmpty()) {
        for (int row = 0; row < m_rows.Count(); ++row)
            rowOfId.emplace(m_rows.Row(row).id, row);
    }
    QModelIndexList to;
    to.reserve(from.size());
    for (qsizetype i = 0; i < from.size(); ++i) {
        const auto found = rowOfId.find(ids[static_cast<size_t>(i)]);
        to.append(found == rowOfId.end() ? QModelIndex() : index(found->second, from[i].column()));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.Count();
}

int CFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant CFileListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // the column is narrower than most paths
        return m_rows.Text(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == 0 && m_pImages != nullptr) {
            const QIcon icon = m_pImages->Icon(m_rows.Row(index.row()).image);
            if (!icon.isNull())
                return icon;
        }
        return {};
    default:
        return {};
    }
}

QVariant CFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headings.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headings[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags CFileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
