#pragma once

#include <QTreeView>

class QStandardItemModel;

// The list of files to edit: a one-level report list whose column 0 holds each file's full
// path, the only way the rest of the editor reaches a row's file.
class CFileListCtrl : public QTreeView {
    Q_OBJECT
public:
    explicit CFileListCtrl(QWidget* parent = nullptr);

    int GetItemCount() const;
    // Column 0 is the full path.
    QString GetItemText(int row, int column = 0) const;
    // Returns the row the item went to.
    int InsertItem(int row, const QString& path, int image = -1);
    bool DeleteItem(int row);
    void DeleteAllItems();
    // -1 when no row is selected.
    int GetFirstSelectedItem() const;
    void SetItemSelectedFocused(int row);
    // A left-aligned column WIDTHPX pixels wide.
    void InsertColumn(int column, const QString& heading, int widthPx);

signals:
    // A click on a row.
    void itemClicked(int row);
    // A row has just become selected, by the mouse, the keyboard or the program.
    void itemSelected(int row);
    // A command the list hands on to the editor (its context menu).
    void commandRequested(int id);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    void ReportNewlySelectedRows(const QItemSelection& selected);

    QStandardItemModel* m_model;
};
