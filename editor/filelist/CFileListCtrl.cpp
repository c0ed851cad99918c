#include "CFileListCtrl.h"

#include "CDragImageWnd.h"
#include "CFileIconSource.h"
#include "CFlatHeaderCtrl.h"
#include "CImageList.h"
#include "CMenuReleaseFilter.h"
#include "CMp3ContentCheck.h"
#include "CPathItemDelegate.h"
#include "EditorIds.h"
#include "FileListAdmission.h"
#include "FileListCapacity.h"
#include "FileListTexts.h"
#include "FileRowSort.h"
#include "FolderFiles.h"
#include "IMessageBoxes.h"
#include "TagColumns.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

constexpr int kScrollIntervalMs = 100;
// Where, from the list's left edge, the row under a dragged pointer is looked for.
constexpr int kDropProbeX = 8;

// Keys the list keeps to itself while it has the focus, so the window around it does not act
// on them. Tab and Shift+Tab are not among them: they take the focus on to the form.
bool IsKeptKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

constexpr Qt::KeyboardModifiers kSelectionModifiers = Qt::ControlModifier | Qt::ShiftModifier;

} // namespace

CFileListCtrl::CFileListCtrl(QWidget* parent)
    : QTreeView(parent), m_pSystemIcons(std::make_unique<CFileIconSource>()),
      m_pIconSource(m_pSystemIcons.get()), m_pContentCheck(std::make_unique<CMp3ContentCheck>()),
      m_pMp3Check(m_pContentCheck.get()) {
    m_pHeader = new CFlatHeaderCtrl(this);
    setHeader(m_pHeader);
    setModel(&m_model);
    setItemDelegateForColumn(0, new CPathItemDelegate(this));
    m_pHeader->setSectionsClickable(true);
    // The one column takes the list's whole width and follows it.
    m_pHeader->setStretchLastSection(true);
    m_pHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    // Ctrl+click, Shift+click, Shift+arrows and Ctrl+A select several files to edit at once; a
    // plain click still selects the one row clicked.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Rows are moved by the list's own drag, and only files come in from outside.
    setDragEnabled(false);
    setAutoScroll(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);

    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        // A right click on a scroll bar shows no menu at all.
        bar->setContextMenuPolicy(Qt::NoContextMenu);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] {
            if (!hasFocus())
                setFocus(Qt::OtherFocusReason);
        });
    }
    connect(m_pHeader, &QHeaderView::sectionClicked, this, &CFileListCtrl::SortByHeaderClick);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        // A click with Ctrl or Shift adds to the selection or takes from it: it picks no file.
        if (!(QApplication::keyboardModifiers() & kSelectionModifiers))
            emit itemClicked(index.row());
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CFileListCtrl::OnSelectionChanged);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CFileListCtrl::OnCurrentChanged);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &CFileListCtrl::OnRowsGone);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &CFileListCtrl::OnRowsGone);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            &CFileListCtrl::DropSortArrowIfUnsorted);
}

CFileListCtrl::~CFileListCtrl() {
    m_scrollTimer.stop();
    if (m_pDragImage)
        viewport()->releaseMouse();
    m_pDragImage.reset();
}

int CFileListCtrl::GetItemCount() const {
    return m_model.Rows().Count();
}

QString CFileListCtrl::GetItemText(int row, int column) const {
    return m_model.Rows().IsValid(row) ? m_model.Rows().Text(row, column) : QString();
}

int CFileListCtrl::InsertItem(int row, const QString& path, int image) {
    return m_model.InsertRow(row, path, image);
}

bool CFileListCtrl::DeleteItem(int row) {
    return m_model.RemoveRow(row);
}

void CFileListCtrl::DeleteAllItems() {
    m_model.RemoveAllRows();
}

int CFileListCtrl::GetFirstSelectedItem() const {
    return m_model.Rows().NextWithState(-1, CFileRow::Selected);
}

void CFileListCtrl::SetItemSelectedFocused(int row) {
    if (!m_model.Rows().IsValid(row))
        return;
    selectionModel()->setCurrentIndex(m_model.index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
}

void CFileListCtrl::InsertColumn(int column, const QString& heading, int widthPx) {
    m_model.InsertColumn(column, heading);
    m_pHeader->resizeSection(std::clamp(column, 0, m_pHeader->count() - 1), widthPx);
}

void CFileListCtrl::ShowTagColumns() {
    m_nFirstTagColumn = m_model.columnCount();
    for (int i = 0; i < TagColumns::kCount; ++i)
        InsertColumn(m_nFirstTagColumn + i, FileListTexts::tr(TagColumns::Heading(i)),
                     TagColumns::Width(i));
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &CFileListCtrl::OnRowsAdded);
    connect(&m_tagReader, &CTagColumnReader::read, this, &CFileListCtrl::OnTagColumnsRead);
}

void CFileListCtrl::RefreshTagColumns(const QStringList& paths) {
    if (m_nFirstTagColumn < 0)
        return;
    m_tagReader.Read(paths);
}

void CFileListCtrl::OnRowsAdded(const QModelIndex&, int first, int last) {
    if (m_pendingReads.isEmpty())
        QTimer::singleShot(0, this,
                           [this] { m_tagReader.Read(std::exchange(m_pendingReads, {})); });
    for (int row = first; row <= last; ++row)
        m_pendingReads << GetItemText(row);
}

void CFileListCtrl::OnTagColumnsRead(const QStringList& paths, const QList<QStringList>& texts) {
    QHash<QString, qsizetype> read;
    for (qsizetype i = 0; i < paths.size(); ++i)
        read.insert(paths[i], i);
    for (int row = 0; row < GetItemCount(); ++row) {
        const auto found = read.constFind(GetItemText(row));
        if (found != read.constEnd())
            m_model.SetTexts(row, m_nFirstTagColumn, texts[*found]);
    }
}

bool CFileListCtrl::SortsAsNumber(int column) const {
    return m_nFirstTagColumn >= 0 && TagColumns::SortsAsNumber(column - m_nFirstTagColumn);
}

void CFileListCtrl::SetIconSource(IFileIconSource* source) {
    m_pIconSource = source != nullptr ? source : m_pSystemIcons.get();
}

// ---- Adding and removing files ----

void CFileListCtrl::SetMp3Check(IMp3Check* check) {
    m_pMp3Check = check != nullptr ? check : m_pContentCheck.get();
}

void CFileListCtrl::AddChosenFiles(const QStringList& chosen) {
    const QStringList paths = Mp3sAmong(chosen);
    if (paths.isEmpty())
        return;
    CreateImageList();
    const bool full = FileListCapacity::AddChosenFiles(
        paths, [this](const QString& path) { AddFile(path); }, [this] { return GetItemCount(); });
    if (full)
        ShowCapacityNotice();
}

void CFileListCtrl::AddChosenFolder(const QString& folder) {
    AddChosenFiles(FolderFiles::Chosen(folder, GetItemCount(), IsMp3Test()));
}

// Dropped files that are not MP3s are named in one notice; a dropped folder brings the MP3s
// below it and passes over the rest without a word, as a folder of songs holds pictures and
// notes too.
void CFileListCtrl::AddDroppedFiles(const QStringList& dropped) {
    QStringList plain;
    for (const QString& path : dropped) {
        if (!FolderFiles::IsFolder(path))
            plain << path;
    }
    const QStringList mp3s = Mp3sAmong(plain);
    const QSet<QString> taken(mp3s.begin(), mp3s.end());
    QStringList kept;
    for (const QString& path : dropped) {
        if (taken.contains(path) || FolderFiles::IsFolder(path))
            kept << path;
    }
    const QStringList files = FolderFiles::Dropped(kept, GetItemCount(), IsMp3Test());
    if (files.isEmpty())
        return;
    CreateImageList();
    if (!FileListCapacity::DropFits(GetItemCount(), static_cast<int>(files.size()))) {
        ShowCapacityNotice();
        return;
    }
    for (const QString& path : files)
        AddFile(path);
}

std::function<bool(const QString&)> CFileListCtrl::IsMp3Test() const {
    return [this](const QString& path) { return m_pMp3Check->WhyNotMp3(path).isEmpty(); };
}

QStringList CFileListCtrl::Mp3sAmong(const QStringList& paths) {
    const FileListAdmission::Sorted sorted = FileListAdmission::Sort(paths, *m_pMp3Check);
    if (!sorted.leftOutText.isEmpty() && m_pBoxes != nullptr)
        m_pBoxes->Notify(sorted.leftOutText, IMessageBoxes::Icon::Warning);
    return sorted.mp3s;
}

void CFileListCtrl::NewFileList() {
    DeleteAllItems();
    m_model.SetImageList(nullptr);
    m_pImageList.reset();
}

void CFileListCtrl::AddFile(const QString& path) {
    const QIcon icon = m_pIconSource->FileIcon(path);
    if (icon.isNull())
        return;
    const int row = InsertItem(GetItemCount(), path, m_pImageList->Add(icon));
    m_model.Rows().SetData(row, 1);
}

void CFileListCtrl::CreateImageList() {
    if (m_pImageList)
        return;
    m_pImageList = std::make_unique<CImageList>();
    m_model.SetImageList(m_pImageList.get());
}

void CFileListCtrl::ShowCapacityNotice() {
    if (m_pBoxes != nullptr)
        m_pBoxes->AppMessage(FileListTexts::tr(FileListTexts::kCapacityNotice),
                             IMessageBoxes::Icon::Warning);
}

QStringList CFileListCtrl::LocalFilePaths(const QMimeData* mime) {
    QStringList paths;
    if (mime == nullptr || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

void CFileListCtrl::dragEnterEvent(QDragEnterEvent* event) {
    if (LocalFilePaths(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CFileListCtrl::dragMoveEvent(QDragMoveEvent* event) {
    if (LocalFilePaths(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CFileListCtrl::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFilePaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    AddDroppedFiles(paths);
}

void CFileListCtrl::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    // A list view selects nothing in place of a removed row; the view would select the next
    // one, and Remove File would then go on deleting rows nobody chose.
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() >= start && current.row() <= end)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

// ---- The shown row ----

void CFileListCtrl::SetShownRow(int row) {
    m_shownRow = QPersistentModelIndex(m_model.index(row, 0));
    m_bRowShown = m_shownRow.isValid();
}

int CFileListCtrl::ShownRow() const {
    return m_bRowShown ? m_shownRow.row() : -1;
}

bool CFileListCtrl::MayShowRow(int row) const {
    if (row < 0 || row == ShownRow())
        return true;
    return MayLeaveShownRow();
}

// Asked also while no single row is shown: the form may then be editing several files.
bool CFileListCtrl::MayLeaveShownRow() const {
    return !m_fnMayLeaveShownRow || m_fnMayLeaveShownRow(Leave::ToOtherRow);
}

// Several selected rows and no single one shown: the form edits their files, the removed
// row's among them.
bool CFileListCtrl::MayRemoveRow(int row) const {
    const bool editingSeveral = !m_bRowShown && SelectedRows().size() > 1;
    if (row < 0 || (row != ShownRow() && !editingSeveral) || !m_fnMayLeaveShownRow)
        return true;
    return m_fnMayLeaveShownRow(Leave::ByRemoval);
}

void CFileListCtrl::OnRowsGone() {
    if (m_bRowShown && !m_shownRow.isValid()) {
        m_bRowShown = false;
        emit shownRowRemoved();
    }
}

// ---- Keys ----

bool CFileListCtrl::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        IsKeptKey(static_cast<QKeyEvent*>(event)->key())) {
        event->accept();
        return true;
    }
    // Tab would otherwise move the focus before the key reaches keyPressEvent.
    if (event->type() == QEvent::KeyPress && IsKeptKey(static_cast<QKeyEvent*>(event)->key())) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QTreeView::event(event);
}

void CFileListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        const int row = GetFirstSelectedItem();
        if (MayRemoveRow(row))
            DeleteItem(row);
        event->accept();
        return;
    }
    // Selecting every row leaves the shown file as surely as a click elsewhere does.
    if (event->matches(QKeySequence::SelectAll) && GetItemCount() > 1 && !MayLeaveShownRow()) {
        event->accept();
        return;
    }
    if (IsKeptKey(event->key())) {
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    // The view scrolls to a new current row only while it auto-scrolls, which is off for the
    // row drag's own scrolling; Home, End and the page keys would select a row out of sight.
    if (currentIndex() != before && currentIndex().isValid())
        scrollTo(currentIndex());
}

QModelIndex CFileListCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTreeView::moveCursor(action, modifiers);
    return next.isValid() && !MayShowRow(next.row()) ? currentIndex() : next;
}

void CFileListCtrl::keyboardSearch(const QString&) {
    // Typing jumps to no row: every path starts with the same folders, and a jump would leave
    // the shown row without the check that the arrow keys and the mouse go through.
}

// ---- Sorting ----

// The arrow says the rows stand in its order: once an added or moved row breaks that order, the
// list is no longer sorted, and the next header click starts afresh.
void CFileListCtrl::DropSortArrowIfUnsorted() {
    if (m_nSortColumn < 0 || FileRowSort::IsSorted(m_model.Rows(), m_nSortColumn, m_bSortAscending,
                                                   SortsAsNumber(m_nSortColumn)))
        return;
    m_nSortColumn = -1;
    m_pHeader->SetSortIndicator(-1, false);
}

void CFileListCtrl::SortByHeaderClick(int column) {
    m_bSortAscending = FileRowSort::NextAscending(m_nSortColumn, m_bSortAscending, column);
    m_nSortColumn = column;
    const int columnCount = m_pHeader->count();
    const bool ascending = m_bSortAscending;
    const bool asNumbers = SortsAsNumber(column);
    ReorderRows([column, ascending, columnCount, asNumbers](CFileRowStore& rows) {
        FileRowSort::SortRows(rows, column, ascending, columnCount, asNumbers);
    });
    m_pHeader->SetSortIndicator(m_nSortColumn, m_bSortAscending);
}

// ---- Selection ----

void CFileListCtrl::mousePressEvent(QMouseEvent* event) {
    if (m_pDragImage)
        return;
    m_bPressRefused = !MayShowRow(indexAt(event->position().toPoint()).row());
    if (m_bPressRefused)
        return;
    const QPoint position = event->position().toPoint();
    const int row = indexAt(position).row();
    if (event->button() == Qt::LeftButton && !(event->modifiers() & kSelectionModifiers) &&
        row >= 0 && m_model.Rows().HasState(row, CFileRow::Selected) && SelectedRows().size() > 1) {
        // A press on one of several selected rows may start dragging them all: whether it
        // selects that row alone is known at the release.
        m_ptPress = position;
        m_bPressOnRow = true;
        m_nPressOnSelection = row;
        return;
    }
    QTreeView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || (event->modifiers() & kSelectionModifiers))
        return;
    m_ptPress = position;
    m_bPressOnRow = row >= 0;
    SelectClickedRow(position);
}

void CFileListCtrl::SelectClickedRow(const QPoint& position) {
    const int row = indexAt(position).row();
    if (row < 0)
        return;
    if (!m_model.Rows().HasState(row, CFileRow::Focused)) {
        SetItemSelectedFocused(row);
    } else if (row != m_nLastClicked) {
        m_nLastClicked = row;
        SetItemSelectedFocused(row);
    }
}

// A selected row stays selected until another row is chosen or the row goes: a click on the
// empty space below the rows, or a Control click on the one selected row, would otherwise leave
// the form showing a file that nothing in the list points at, and Remove File with nothing to
// remove. A Control click still takes one row out of several.
QItemSelectionModel::SelectionFlags CFileListCtrl::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QTreeView::selectionCommand(index, event);
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    if (command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle) &&
        m_model.Rows().HasState(index.row(), CFileRow::Selected) && SelectedRows().size() < 2)
        return QItemSelectionModel::NoUpdate;
    return command;
}

void CFileListCtrl::OnSelectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected) {
    CFileRowStore& rows = m_model.Rows();
    for (const QModelIndex& index : deselected.indexes()) {
        if (index.isValid() && index.column() == 0)
            rows.SetState(index.row(), 0, CFileRow::Selected);
    }
    std::vector<int> newlySelected;
    for (const QModelIndex& index : selected.indexes()) {
        if (index.isValid() && index.column() == 0) {
            rows.SetState(index.row(), CFileRow::Selected, CFileRow::Selected);
            newlySelected.push_back(index.row());
        }
    }
    if (m_bShowingStoreSelection)
        return;
    const std::vector<int> nowSelected = SelectedRows();
    if (nowSelected.size() > 1) {
        emit severalSelected();
    } else if (nowSelected.size() == 1 && (!newlySelected.empty() || !deselected.isEmpty())) {
        // One row alone, newly chosen or left over from several.
        emit itemSelected(nowSelected.front());
    }
}

void CFileListCtrl::OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    CFileRowStore& rows = m_model.Rows();
    if (previous.isValid() && rows.IsValid(previous.row()))
        rows.SetState(previous.row(), 0, CFileRow::Focused);
    if (current.isValid())
        rows.SetState(current.row(), CFileRow::Focused, CFileRow::Focused);
}

std::vector<int> CFileListCtrl::SelectedRows() const {
    std::vector<int> selected;
    const CFileRowStore& rows = m_model.Rows();
    for (int row = rows.NextWithState(-1, CFileRow::Selected); row >= 0;
         row = rows.NextWithState(row, CFileRow::Selected))
        selected.push_back(row);
    return selected;
}

void CFileListCtrl::ReorderRows(const std::function<void(CFileRowStore&)>& change) {
    const std::vector<int> selectedBefore = SelectedRows();
    m_model.Reorder(change);
    ShowStoreSelection();
    // A selected row that now stands somewhere else has just become selected there.
    for (int row : SelectedRows()) {
        if (std::find(selectedBefore.begin(), selectedBefore.end(), row) == selectedBefore.end())
            emit itemSelected(row);
    }
}

void CFileListCtrl::ShowStoreSelection() {
    const CFileRowStore& rows = m_model.Rows();
    const int lastColumn = std::max(m_model.columnCount() - 1, 0);
    QItemSelection selection;
    for (int row : SelectedRows())
        selection.select(m_model.index(row, 0), m_model.index(row, lastColumn));
    const int focused = rows.NextWithState(-1, CFileRow::Focused);

    m_bShowingStoreSelection = true;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(focused >= 0 ? m_model.index(focused, 0) : QModelIndex(),
                                      QItemSelectionModel::NoUpdate);
    m_bShowingStoreSelection = false;
}

// ---- Context menu ----

void CFileListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    // Only a mouse request inside the rows' area: not the header, not a scroll bar, and not
    // the keyboard, which names no point.
    if (event->reason() != QContextMenuEvent::Mouse ||
        !viewport()->rect().contains(viewport()->mapFromGlobal(event->globalPos())))
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& [text, id] : {std::pair{FileListTexts::kMenuPlay, EditorIds::ID_POPUP_PLAY},
                                   std::pair{FileListTexts::kMenuStop, EditorIds::ID_POPUP_STOP},
                                   std::pair{FileListTexts::kMenuPause, EditorIds::ID_POPUP_PAUSE}})
        menu->addAction(FileListTexts::tr(text))->setData(id);
    connect(menu, &QMenu::triggered, this,
            [this](QAction* action) { emit commandRequested(action->data().toInt()); });
    new CMenuReleaseFilter(menu, event->globalPos());
    menu->popup(event->globalPos());
}

// ---- Moving rows by dragging ----

void CFileListCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (m_pDragImage) {
        DragTo(position, event->globalPosition().toPoint());
        return;
    }
    StopScrollTimer();
    if (m_bPressOnRow && (event->buttons() & Qt::LeftButton)) {
        // A press on a row either drags it or does nothing more; the view would otherwise
        // move the selection along with the pointer.
        if ((position - m_ptPress).manhattanLength() >= QApplication::startDragDistance()) {
            m_bPressOnRow = false;
            m_nPressOnSelection = -1;
            BeginDrag(position);
        }
        return;
    }
    // A press beside the rows selects nothing as the pointer then passes over them.
    if (event->buttons() & Qt::LeftButton)
        return;
    QTreeView::mouseMoveEvent(event);
}

void CFileListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    m_bPressOnRow = false;
    const int pressOnSelection = std::exchange(m_nPressOnSelection, -1);
    if (std::exchange(m_bPressRefused, false))
        return;
    if (m_pDragImage && event->button() == Qt::LeftButton) {
        EndDrag();
        return;
    }
    if (pressOnSelection >= 0) {
        // No drag came of it: a plain click, which selects that row alone.
        if (!MayLeaveShownRow())
            return;
        SetItemSelectedFocused(pressOnSelection);
        emit itemClicked(pressOnSelection);
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void CFileListCtrl::BeginDrag(const QPoint& position) {
    if (!m_drag.Begin(m_model.Rows()))
        return;
    m_pDragImage.reset();
    QPoint hotSpot;
    const QPixmap picture = RenderDragPicture(position, &hotSpot);
    if (picture.isNull())
        return;
    m_pDragImage = std::make_unique<CDragImageWnd>(picture, hotSpot);
    m_pDragImage->MoveTo(viewport()->mapToGlobal(position));
    m_pDragImage->show();
    viewport()->grabMouse();
}

QPixmap CFileListCtrl::RenderDragPicture(const QPoint& position, QPoint* hotSpot) const {
    const std::vector<int> rows = SelectedRows();
    QRect united;
    for (int row : rows)
        united = united.united(RowRect(row));
    if (united.isEmpty())
        return {};

    // The rows' icons and texts alone, so the drop highlight shows between them.
    const qreal ratio = devicePixelRatioF();
    QImage content(united.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    content.setDevicePixelRatio(ratio);
    content.fill(Qt::transparent);
    QPainter painter(&content);
    painter.translate(-united.topLeft());
    for (int row : rows) {
        for (int column = 0; column < m_model.columnCount(); ++column) {
            const QModelIndex index = m_model.index(row, column);
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            option.rect = visualRect(index);
            option.state &= ~QStyle::State_Selected;
            itemDelegateForIndex(index)->paint(&painter, option, index);
        }
    }
    painter.end();
    *hotSpot = position - united.topLeft();
    return QPixmap::fromImage(OnKeyColour(content));
}

QImage CFileListCtrl::OnKeyColour(const QImage& content) {
    // Half-covered pixels of smoothed text become solid, so no green fringe is left behind
    // once the key colour turns see-through.
    QImage picture = content.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qAlpha(line[x]) < 128 ? CDragImageWnd::kKeyColour : (line[x] | 0xFF000000u);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QRect CFileListCtrl::RowRect(int row) const {
    return visualRect(m_model.index(row, 0))
        .united(visualRect(m_model.index(row, m_model.columnCount() - 1)));
}

void CFileListCtrl::DragTo(const QPoint& position, const QPoint& globalPosition) {
    m_pDragImage->MoveTo(globalPosition);
    // Only the pointer's height matters: the row is looked for near the list's left edge.
    const QPoint probe(kDropProbeX, position.y());
    if (viewport()->rect().contains(probe))
        SetDropTarget(indexAt(probe).row());

    // Above the rows (over the header or higher) or below the list, the list scrolls.
    if (position.y() < 0)
        SetScrollDirection(ScrollUp);
    else if (position.y() >= viewport()->height())
        SetScrollDirection(ScrollDown);
    else
        StopScrollTimer();
}

void CFileListCtrl::SetDropTarget(int row) {
    const int previous = m_drag.HighlightedRow();
    if (!m_drag.SetTarget(m_model.Rows(), row))
        return;
    UpdateRow(previous);
    UpdateRow(row);
}

void CFileListCtrl::UpdateRow(int row) {
    if (!m_model.Rows().IsValid(row))
        return;
    const QRect rect = visualRect(m_model.index(row, 0));
    viewport()->update(QRect(0, rect.top(), viewport()->width(), rect.height()));
}

void CFileListCtrl::SetScrollDirection(ScrollDirection direction) {
    if (!m_scrollTimer.isActive())
        m_scrollTimer.start(kScrollIntervalMs, this);
    m_nScrollDirection = direction;
}

void CFileListCtrl::StopScrollTimer() {
    m_scrollTimer.stop();
    m_nScrollDirection = NoScroll;
}

void CFileListCtrl::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_scrollTimer.timerId() || !m_pDragImage) {
        QTreeView::timerEvent(event);
        return;
    }
    OnScrollTick();
}

void CFileListCtrl::OnScrollTick() {
    if (m_nScrollDirection == ScrollUp) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        SetDropTarget(m_drag.DropPosition() - 1);
    } else if (m_nScrollDirection == ScrollDown) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        SetDropTarget(m_drag.DropPosition() + 1);
    }
}

void CFileListCtrl::EndDrag() {
    StopScrollTimer();
    viewport()->releaseMouse();
    m_pDragImage.reset();
    ReorderRows([this](CFileRowStore& rows) { m_drag.Finish(rows); });
    DropSortArrowIfUnsorted();
    viewport()->update();
}

// ---- Painting ----

void CFileListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem rowOption = option;
    // The drop target of a row drag looks selected, as the place the rows will go.
    if (m_model.Rows().IsValid(index.row()) &&
        m_model.Rows().HasState(index.row(), CFileRow::DropHighlighted))
        rowOption.state |= QStyle::State_Selected;
    QTreeView::drawRow(painter, rowOption, index);

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
