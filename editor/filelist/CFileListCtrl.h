#pragma once

#include "CFileListModel.h"
#include "CRowDrag.h"
#include "CTagColumnReader.h"

#include <QBasicTimer>
#include <QPersistentModelIndex>
#include <QTreeView>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class CDragImageWnd;
class CFlatHeaderCtrl;
class CImageList;
class IFileIconSource;
class IMessageBoxes;
class IMp3Check;
class QMimeData;

// The list of files to edit: a one-level report list whose column 0 holds each file's full
// path, the only way the rest of the editor reaches a row's file. Files come in through Add
// File and drops from file managers, up to the capacity; the list selects one row or several,
// sorts on a header click, reorders its selected rows by dragging and offers Play, Stop and
// Pause on a right click.
class CFileListCtrl : public QTreeView {
    Q_OBJECT
public:
    explicit CFileListCtrl(QWidget* parent = nullptr);
    ~CFileListCtrl() override;

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

    // Where the capacity notice and the notice of files left out go; without one the list
    // still refuses what does not fit and what is not an MP3.
    void SetMessageBoxes(IMessageBoxes* boxes) { m_pBoxes = boxes; }
    // nullptr: a look into each file's content.
    void SetMp3Check(IMp3Check* check);
    // nullptr: the desktop's file icons.
    void SetIconSource(IFileIconSource* source);

    // Only MP3s join the list; one notice names the files left out.
    // Files chosen in the file dialog: the first MP3 always, each further one while the list
    // holds no more than the capacity.
    void AddChosenFiles(const QStringList& paths);
    // The MP3s below a folder, in path order, as if chosen in the file dialog.
    void AddChosenFolder(const QString& folder);
    // Files and folders dropped on the list (a folder brings the MP3s below it): all of the MP3s,
    // or none and the capacity notice.
    void AddDroppedFiles(const QStringList& paths);
    // Empties the list and lets go of its icons; the next addition starts a new image list.
    void NewFileList();
    bool HasImageList() const { return m_pImageList != nullptr; }

    // Adds the tag columns (TagColumns) after the present ones; their texts are read off this
    // thread as rows arrive.
    void ShowTagColumns();
    // Reads the tag columns of PATHS' rows again (after a Save).
    void RefreshTagColumns(const QStringList& paths);
    // Whether tag columns are still being read.
    bool IsReadingTagColumns() const { return m_tagReader.IsBusy() || !m_pendingReads.isEmpty(); }

    // Sorts as a left click on the header of `column` does, arrow included.
    void SortByHeaderClick(int column);

    // The row whose file the form shows, followed through sorts and moves; -1 for none.
    void SetShownRow(int row);
    int ShownRow() const;
    // Why the shown row is about to be left: another row is chosen, or the row itself goes.
    enum class Leave { ToOtherRow, ByRemoval };
    // Asked before a click or a key takes the selection off the shown row, changes a selection
    // of several rows, or before the Delete key removes the shown row; false keeps the
    // selection, the row and what the form shows where they are.
    void SetLeaveShownRowCheck(std::function<bool(Leave)> check) {
        m_fnMayLeaveShownRow = std::move(check);
    }

    const CFileRowStore& Rows() const { return m_model.Rows(); }
    bool IsDraggingRows() const { return m_pDragImage != nullptr; }
    const CDragImageWnd* DragImage() const { return m_pDragImage.get(); }

signals:
    // A click on a row.
    void itemClicked(int row);
    // A row has just become the one selected row, by the mouse, the keyboard, a sort or a move,
    // or by being left over when the others of several were deselected.
    void itemSelected(int row);
    // The user's selection has changed and holds more than one row.
    void severalSelected();
    // A command the list hands on to the editor (its context menu).
    void commandRequested(int id);
    // The shown row has left the list (Remove File, the Delete key, New File List).
    void shownRowRemoved();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyboardSearch(const QString& search) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    enum ScrollDirection { NoScroll = 0, ScrollUp = 1, ScrollDown = 2 };

    void AddFile(const QString& path);
    void CreateImageList();
    void ShowCapacityNotice();
    // The MP3s among PATHS; the others are named in one notice.
    QStringList Mp3sAmong(const QStringList& paths);
    // The list's own check, as a folder's walk asks it.
    std::function<bool(const QString&)> IsMp3Test() const;
    static QStringList LocalFilePaths(const QMimeData* mime);

    void SelectClickedRow(const QPoint& position);
    bool MayShowRow(int row) const;
    bool MayLeaveShownRow() const;
    bool MayRemoveRow(int row) const;
    void DropSortArrowIfUnsorted();
    void OnRowsGone();
    void OnRowsAdded(const QModelIndex& parent, int first, int last);
    void OnTagColumnsRead(const QStringList& paths, const QList<QStringList>& texts);
    bool SortsAsNumber(int column) const;
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    std::vector<int> SelectedRows() const;
    void ReorderRows(const std::function<void(CFileRowStore&)>& change);
    void ShowStoreSelection();

    void BeginDrag(const QPoint& position);
    QPixmap RenderDragPicture(const QPoint& position, QPoint* hotSpot) const;
    static QImage OnKeyColour(const QImage& content);
    QRect RowRect(int row) const;
    void DragTo(const QPoint& position, const QPoint& globalPosition);
    void SetDropTarget(int row);
    void SetScrollDirection(ScrollDirection direction);
    void StopScrollTimer();
    void OnScrollTick();
    void EndDrag();
    void UpdateRow(int row);

    CFileListModel m_model;
    CTagColumnReader m_tagReader;
    // The first tag column; -1 while the list has none.
    int m_nFirstTagColumn = -1;
    // Added rows' files, read together once the adding is over.
    QStringList m_pendingReads;
    // The one sort state: the header's arrow only shows it.
    int m_nSortColumn = -1;
    bool m_bSortAscending = false;
    std::unique_ptr<CImageList> m_pImageList;
    CFlatHeaderCtrl* m_pHeader = nullptr;
    int m_nLastClicked = -1;
    CRowDrag m_drag;
    std::unique_ptr<CDragImageWnd> m_pDragImage;
    ScrollDirection m_nScrollDirection = NoScroll;
    QBasicTimer m_scrollTimer;

    std::unique_ptr<IFileIconSource> m_pSystemIcons;
    IFileIconSource* m_pIconSource = nullptr;
    std::unique_ptr<IMp3Check> m_pContentCheck;
    IMp3Check* m_pMp3Check = nullptr;
    IMessageBoxes* m_pBoxes = nullptr;
    // Set while the list shows its own rows' selection in the view, which is no new choice
    // of the user's.
    bool m_bShowingStoreSelection = false;
    QPersistentModelIndex m_shownRow;
    bool m_bRowShown = false;
    std::function<bool(Leave)> m_fnMayLeaveShownRow;
    // A press the shown row's check refused: its release is no click either.
    bool m_bPressRefused = false;
    // A left press on a row that may still turn into a row drag.
    bool m_bPressOnRow = false;
    // A plain press on one of several selected rows: the row it selects alone unless it drags.
    int m_nPressOnSelection = -1;
    QPoint m_ptPress;
};
