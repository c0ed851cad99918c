#pragma once

#include "CFileRowStore.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

class CImageList;

// The file list's rows as the view sees them. Every change that adds, removes or reorders rows
// goes through here so that views keep their selection, focus and scroll position.
class CFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CFileListModel(QObject* parent = nullptr);

    const CFileRowStore& Rows() const { return m_rows; }
    // For item data and state bits only.
    CFileRowStore& Rows() { return m_rows; }

    // nullptr: the rows show no icons.
    void SetImageList(const CImageList* images);
    void InsertColumn(int column, const QString& heading);
    int InsertRow(int row, const QString& path, int image);
    // Puts TEXTS into ROW's columns from FIRSTCOLUMN on.
    void SetTexts(int row, int firstColumn, const QStringList& texts);
    bool RemoveRow(int row);
    void RemoveAllRows();
    // Runs `change`, which may sort or move rows but keeps their number, and tells the views
    // where each row went.
    void Reorder(const std::function<void(CFileRowStore&)>& change);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    CFileRowStore m_rows;
    QStringList m_headings;
    const CImageList* m_pImages = nullptr;
};
