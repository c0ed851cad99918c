#include "CTagEditorDlg.h"

#include "AppIcon.h"
#include "CAboutBox.h"
#include "CCoverView.h"
#include "CDialogUnits.h"
#include "CFieldUndoRouter.h"
#include "CFileDialogChooser.h"
#include "CFileListCtrl.h"
#include "CHelpViewer.h"
#include "CLabelToolBar.h"
#include "CListPopupStyle.h"
#include "CMediaWindowFactory.h"
#include "CNoticeLine.h"
#include "CPlayback.h"
#include "CoverDescription.h"
#include "CoverImageFile.h"
#include "EditorIds.h"
#include "EditorLayout.h"
#include "EditorTexts.h"
#include "FieldTable.h"
#include "FileListTexts.h"
#include "GenreTable.h"
#include "HelpLocation.h"
#include "IMessageBoxes.h"
#include "MenuShortcut.h"
#include "ToolBarBitmap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStatusBar>
#include <QStringListModel>
#include <QVBoxLayout>

using namespace EditorIds;

namespace {

// A path as the file system spells it, for the user to read.
QString PathForDisplay(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The window is laid out in dialog units of this font: the classic dialog font where the
// system has it, otherwise the desktop's own UI font, which menus and boxes use too.
QFont DialogFont() {
    const QString classic = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::families().contains(classic))
        return QFont(classic, 8);
    return QApplication::font();
}

constexpr int kGenreRowsShown = 20;
// A Save of several files shows its progress once it has taken this long.
constexpr int kProgressAfterMs = 1000;
// Long enough to be read, short enough not to stand for the state of a later edit.
constexpr int kSavedMessageMs = 4000;

// The question about the unsaved edits of one file, asked about several selected files.
const char* QuestionAboutSeveral(const char* question) {
    if (question == EditorTexts::kAskSaveBeforeClose)
        return EditorTexts::kAskSaveManyBeforeClose;
    if (question == EditorTexts::kAskSaveBeforeRemove)
        return EditorTexts::kAskSaveManyBeforeRemove;
    return EditorTexts::kAskSaveManyBeforeSwitch;
}

// The menu shows the desktop's own key for the command beside it.
// KEY, when given, is the command's own key where the desktop names none for it.
void AddMenuItem(QMenu& menu, const char* text, int id, QKeySequence::StandardKey standardKey,
                 const QKeySequence& key) {
    QAction* action = menu.addAction(EditorTexts::tr(text));
    action->setData(id);
    action->setShortcut(key.isEmpty() ? MenuShortcut::For(standardKey) : key);
}

QLabel* CreateLabel(QWidget* parent, const char* text, const QRect& rect,
                    const CDialogUnits& units) {
    auto* label = new QLabel(EditorTexts::tr(text), parent);
    QRect pixels = units.ToPixels(rect);
    // The layout table's widths (EditorLayout.h) fit its own font; a wider UI font must not cut
    // a label short.
    pixels.setWidth(std::max(pixels.width(), label->sizeHint().width()));
    label->setGeometry(pixels);
    return label;
}

} // namespace

CTagEditorDlg::CTagEditorDlg(IMessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), m_boxes(boxes), m_exchange(boxes),
      m_pDesktopFileChooser(std::make_unique<CFileDialogChooser>()),
      m_pFileChooser(m_pDesktopFileChooser.get()) {
    // A main window of its own: a taskbar button, a minimise and a maximise box; it grows from
    // its smallest size, the layout table's, to give the list more rows and the fields more width.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The title is marked while the form holds edits that are not saved.
    setWindowTitle(EditorTexts::tr(EditorTexts::kCaption) + QStringLiteral("[*]"));
    setWindowIcon(AppIcon::Icon());
    setFont(DialogFont());
    const CDialogUnits units(font());

    CreateControls(units);
    CreateMenu();
    CreateStatusBar();
    CreateToolBar();
    CreateProtectionLine();
    m_mediaWindows = std::make_unique<CMediaWindowFactory>(m_client, PlayBarGeometry());
    SetMediaPlayerFactory(nullptr);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_client);
    m_client->installEventFilter(this);

    m_lstFiles->InsertColumn(0, FileListTexts::tr(FileListTexts::kColumnHeading),
                             FileListTexts::kColumnWidth);
    m_lstFiles->ShowTagColumns();
    FillGenreList();
    m_cbGenre->setCurrentIndex(0);
    m_lstFiles->setFocus();
}

CTagEditorDlg::~CTagEditorDlg() = default;

void CTagEditorDlg::CreateControls(const CDialogUnits& units) {
    using namespace EditorLayout;
    m_client = new QWidget(this);
    m_client->setMinimumSize(units.ToPixels(kDialogSize));
    m_client->resize(units.ToPixels(kDialogSize));
    m_growth.emplace(units.ToPixels(kDialogSize), units.ToPixels(kFileList),
                     units.ToPixels(kFormGroup), units.ToPixels(kTitle).right());

    // Created in the order of the layout table (EditorLayout.h), which makes it the tab order.
    m_lstFiles = new CFileListCtrl(m_client);
    m_lstFiles->setObjectName(QStringLiteral("IDC_FILE_LIST"));
    m_lstFiles->setGeometry(units.ToPixels(kFileList));
    connect(m_lstFiles, &CFileListCtrl::itemClicked, this, &CTagEditorDlg::OnClickFileList);
    connect(m_lstFiles, &CFileListCtrl::itemSelected, this, &CTagEditorDlg::OnItemChangedFileList);
    connect(m_lstFiles, &CFileListCtrl::commandRequested, this, &CTagEditorDlg::OnCommand);
    connect(m_lstFiles, &CFileListCtrl::shownRowRemoved, this, &CTagEditorDlg::OnShownFileRemoved);
    connect(m_lstFiles, &CFileListCtrl::severalSelected, this, &CTagEditorDlg::OnSeveralSelected);
    connect(m_lstFiles->model(), &QAbstractItemModel::rowsRemoved, this,
            &CTagEditorDlg::OnBatchRowsGone);
    connect(m_lstFiles->model(), &QAbstractItemModel::modelReset, this,
            &CTagEditorDlg::OnBatchRowsGone);
    m_lstFiles->SetLeaveShownRowCheck([this](CFileListCtrl::Leave leave) {
        return SettleUnsavedChanges(leave == CFileListCtrl::Leave::ByRemoval
                                        ? EditorTexts::kAskSaveBeforeRemove
                                        : EditorTexts::kAskSaveBeforeSwitch);
    });
    m_lstFiles->SetMessageBoxes(&m_boxes);

    CreateEtchedLine(kEtchedLine, units);

    auto* group = new QGroupBox(m_client);
    group->setGeometry(units.ToPixels(kFormGroup));

    CreateEtchedLine(kMoreFieldsLine, units);

    // The form, field by field with its label, in the layout table's order: the tab order.
    QWidget* previous = m_lstFiles;
    for (const FormField& field : kFormFields) {
        CreateLabel(m_client, field.label, field.labelRect, units);
        QWidget* control = field.text ? static_cast<QWidget*>(CreateTextField(field, units))
                                      : CreateGenreList(field, units);
        setTabOrder(previous, control);
        previous = control;
    }
    CreateCoverView(units);
    setTabOrder(previous, m_coverView);
    WatchFormFields();
}

// The square is as large as the layout table's rectangle holds, at its top right.
void CTagEditorDlg::CreateCoverView(const CDialogUnits& units) {
    m_coverView = new CCoverView(m_client);
    m_coverView->setObjectName(QStringLiteral("IDC_COVER"));
    const QRect room = units.ToPixels(EditorLayout::kCover);
    const int side = std::min(room.width(), room.height());
    m_coverView->setGeometry(room.right() + 1 - side, room.top(), side, side);
    connect(m_coverView, &CCoverView::commandRequested, this, &CTagEditorDlg::OnCommand);
    connect(m_coverView, &CCoverView::fileDropped, this, &CTagEditorDlg::TakeCoverFile);
}

void CTagEditorDlg::CreateEtchedLine(const QRect& rect, const CDialogUnits& units) {
    auto* line = new QFrame(m_client);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QRect pixels = units.ToPixels(rect);
    pixels.setHeight(2);
    line->setGeometry(pixels);
}

QLineEdit* CTagEditorDlg::CreateTextField(const EditorLayout::FormField& field,
                                          const CDialogUnits& units) {
    auto* edit = new QLineEdit(m_client);
    edit->setObjectName(QString::fromLatin1(field.name));
    const QRect rect = units.ToPixels(field.fieldRect);
    edit->setGeometry(rect);
    // One line of text, drawn in a box as tall as the layout table has it: the text sits at the
    // top.
    if (rect.height() > units.ToPixels(EditorLayout::kTitle).height())
        edit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_exchange.AddText(edit, FieldTable::RowOf(field.text));
    m_textFields.emplace_back(edit, field.text);
    return edit;
}

QComboBox* CTagEditorDlg::CreateGenreList(const EditorLayout::FormField& field,
                                          const CDialogUnits& units) {
    m_cbGenre = new QComboBox(m_client);
    m_cbGenre->setObjectName(QString::fromLatin1(field.name));
    // The height is that of the opened list; the closed box is as tall as an edit field.
    const QRect genreRect = units.ToPixels(field.fieldRect);
    const int closedHeight = units.ToPixels(EditorLayout::kTitle).height();
    m_cbGenre->setGeometry(genreRect.x(), genreRect.y(), genreRect.width(), closedHeight);
    auto* popupStyle = new CListPopupStyle;
    popupStyle->setParent(m_cbGenre);
    m_cbGenre->setStyle(popupStyle);
    m_cbGenre->setMaxVisibleItems(kGenreRowsShown);
    return m_cbGenre;
}

// Ctrl+Z in a field undoes its own typing, then the form's; every change may mark the title.
void CTagEditorDlg::WatchFormFields() {
    auto* undoRouter = new CFieldUndoRouter(MenuShortcut::For(QKeySequence::Undo), this);
    for (QLineEdit* edit : m_exchange.Edits()) {
        undoRouter->Watch(edit);
        connect(edit, &QLineEdit::textChanged, this, &CTagEditorDlg::ShowUnsavedMark);
    }
    connect(m_cbGenre, &QComboBox::currentIndexChanged, this, &CTagEditorDlg::ShowUnsavedMark);
    connect(m_coverView, &CCoverView::coverChanged, this, &CTagEditorDlg::ShowUnsavedMark);
}

void CTagEditorDlg::CreateMenu() {
    struct Item {
        const char* text; // nullptr for a separator
        int id;
        QKeySequence::StandardKey key = QKeySequence::UnknownKey;
        QKeySequence ownKey = {};
    };
    struct Menu {
        const char* title;
        std::initializer_list<Item> items;
    };
    const Menu menus[] = {
        {EditorTexts::kMenuFile,
         {{EditorTexts::kMenuNewFileList, ID_FILE_NEW_LIST, QKeySequence::New},
          {nullptr, 0},
          {EditorTexts::kMenuAddFile, ID_FILE_ADD_FILE, QKeySequence::Open},
          {EditorTexts::kMenuAddFolder, ID_FILE_ADD_FOLDER, QKeySequence::UnknownKey,
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
          {EditorTexts::kMenuSaveFile, ID_FILE_SAVE_FILE, QKeySequence::Save},
          {EditorTexts::kMenuRemoveFile, ID_FILE_REMOVE_FILE},
          {nullptr, 0},
          {EditorTexts::kMenuExit, ID_FILE_EXIT, QKeySequence::Quit}}},
        {EditorTexts::kMenuAction,
         {{EditorTexts::kMenuUndo, ID_ACTION_UNDO, QKeySequence::Undo},
          {nullptr, 0},
          {EditorTexts::kMenuReplaceCover, ID_COVER_REPLACE},
          {EditorTexts::kMenuRemoveCover, ID_COVER_REMOVE},
          {EditorTexts::kMenuSaveCoverAs, ID_COVER_SAVE_AS}}},
        {EditorTexts::kMenuHelp,
         {{EditorTexts::kMenuContents, ID_HELP_CONTENTS, QKeySequence::HelpContents},
          {EditorTexts::kMenuAbout, ID_HELP_ABOUT}}},
    };

    m_menuBar = new QMenuBar(this);
    for (const Menu& menu : menus) {
        QMenu* popup = m_menuBar->addMenu(EditorTexts::tr(menu.title));
        for (const Item& item : menu.items) {
            if (item.text == nullptr)
                popup->addSeparator();
            else
                AddMenuItem(*popup, item.text, item.id, item.key, item.ownKey);
        }
    }
    connect(m_menuBar, &QMenuBar::triggered, this,
            [this](QAction* action) { OnCommand(action->data().toInt()); });

    for (QAction* action : m_menuBar->findChildren<QAction*>()) {
        const int id = action->data().toInt();
        if (id == ID_COVER_REPLACE)
            m_replaceCoverAction = action;
        else if (id == ID_COVER_REMOVE)
            m_removeCoverAction = action;
        else if (id == ID_COVER_SAVE_AS)
            m_saveCoverAsAction = action;
    }
    // The menu offers what the cover's own context menu offers.
    const auto followCover = [this] {
        const bool hasCover = m_coverView->Cover().has_value();
        m_replaceCoverAction->setEnabled(m_coverView->IsEditable());
        m_removeCoverAction->setEnabled(m_coverView->CanRemove());
        m_saveCoverAsAction->setEnabled(hasCover);
    };
    connect(m_coverView, &CCoverView::coverChanged, this, followCover);
    followCover();
}

void CTagEditorDlg::CreateStatusBar() {
    m_wndStatusBar = new QStatusBar(m_client);
    m_wndStatusBar->setObjectName(QStringLiteral("IDC_STATUSBAR"));
    m_wndStatusBar->setSizeGripEnabled(false);
    // A permanent label rather than a status message: nothing may ever replace the hint.
    m_wndStatusBar->addWidget(new QLabel(EditorTexts::tr(EditorTexts::kStatusHint)), 1);
    const int height = m_wndStatusBar->sizeHint().height();
    m_wndStatusBar->setGeometry(0, m_client->height() - height, m_client->width(), height);
}

void CTagEditorDlg::CreateToolBar() {
    using namespace EditorLayout;
    auto* toolBar = new CLabelToolBar(m_client);
    if (!toolBar->LoadToolBarWithLabels(IDR_TOOLBAR)) {
        // Every command is on the menu too: the window works on without a toolbar.
        delete toolBar;
        return;
    }
    m_wndToolBar = toolBar;
    m_wndToolBar->setObjectName(QStringLiteral("AFX_IDW_TOOLBAR"));
    const int bandHeight = CDialogUnits(font()).YToPixels(kEtchedLine.y());
    m_wndToolBar->setGeometry(0, 0, m_client->width(),
                              std::min(m_wndToolBar->sizeHint().height(), bandHeight));
    const QSize imageSize = m_wndToolBar->iconSize();
    m_wndToolBar->SetImageList(ToolBarBitmap::LoadPictures(IDB_TOOLBAR_NORMAL, imageSize));
    m_wndToolBar->SetHotImageList(ToolBarBitmap::LoadPictures(IDB_TOOLBAR_HOT, imageSize));
    connect(m_wndToolBar, &CLabelToolBar::commandRequested, this, &CTagEditorDlg::OnCommand);
}

// The line sits under the form, in the strip between the form's frame and the status bar.
void CTagEditorDlg::CreateProtectionLine() {
    m_protectionLine = new CNoticeLine(m_client);
    m_protectionLine->setObjectName(QStringLiteral("IDC_PROTECTION"));
    const QRect form = CDialogUnits(font()).ToPixels(EditorLayout::kFormGroup);
    const int top = form.bottom() + 1;
    m_protectionLine->setGeometry(form.left(), top, form.width(),
                                  m_wndStatusBar->geometry().top() - top);
}

// The play bar takes the strip between the list and the status bar, as wide as the list, so
// that it covers neither the form nor the hint.
QRect CTagEditorDlg::PlayBarGeometry() const {
    const QRect list = m_lstFiles->geometry();
    const int stripTop = list.bottom() + 1;
    const int stripBottom = m_wndStatusBar->geometry().top();
    const int height = std::min(stripBottom - stripTop, list.height());
    return QRect(list.left(), stripTop + (stripBottom - stripTop - height) / 2, list.width(),
                 height);
}

void CTagEditorDlg::FillGenreList() {
    for (int row = 0; row < GenreTable::kRowCount; ++row)
        m_cbGenre->addItem(QString::fromLatin1(GenreTable::RowText(row)));
}

void CTagEditorDlg::OnCommand(int id) {
    switch (id) {
    case ID_FILE_NEW_LIST:
        OnNewFileList();
        break;
    case ID_FILE_ADD_FILE:
        OnAddFile();
        break;
    case ID_FILE_ADD_FOLDER:
        OnAddFolder();
        break;
    case ID_FILE_REMOVE_FILE:
        OnRemoveFile();
        break;
    case ID_FILE_EXIT:
        OnExit();
        break;
    case ID_TOOLBAR_SAVE_FILE:
    case ID_FILE_SAVE_FILE:
        OnSaveFile();
        break;
    case ID_HELP_ABOUT:
        OnAbout();
        break;
    case ID_HELP_CONTENTS:
        OnHelpContents();
        break;
    case ID_ACTION_UNDO:
        OnUndo();
        break;
    case ID_POPUP_PLAY:
        OnPlay();
        break;
    case ID_POPUP_STOP:
        OnStop();
        break;
    case ID_POPUP_PAUSE:
        OnPause();
        break;
    case ID_COVER_REPLACE:
        OnReplaceCover();
        break;
    case ID_COVER_REMOVE:
        OnRemoveCover();
        break;
    case ID_COVER_SAVE_AS:
        OnSaveCoverAs();
        break;
    default:
        break;
    }
}

void CTagEditorDlg::keyPressEvent(QKeyEvent* event) {
    // A dialog would close on Escape, and on Enter through its default button: a stray key
    // must never end the program under the user's edits.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CTagEditorDlg::closeEvent(QCloseEvent* event) {
    if (!SettleUnsavedChanges(EditorTexts::kAskSaveBeforeClose)) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool CTagEditorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client) {
        if (event->type() == QEvent::Resize) {
            for (QWidget* child : m_client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                PlaceGrown(child);
        } else if (event->type() == QEvent::ChildPolished) {
            // A control made while the window is larger (the play bar) is made at its place in
            // the smallest window.
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                PlaceGrown(child);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Each control keeps where it stood in the smallest window, the place its growth starts from.
void CTagEditorDlg::PlaceGrown(QWidget* control) {
    static const char* const kSmallestGeometry = "smallestGeometry";
    if (control->isWindow())
        return;
    QVariant smallest = control->property(kSmallestGeometry);
    if (!smallest.isValid()) {
        smallest = control->geometry();
        control->setProperty(kSmallestGeometry, smallest);
    }
    control->setGeometry(m_growth->Place(smallest.toRect(), m_client->size()));
}

void CTagEditorDlg::OnNewFileList() {
    if (m_lstFiles->GetItemCount() > 0) {
        if (!SettleUnsavedChanges(EditorTexts::kAskSaveBeforeRemove))
            return;
        // No keeps the list and the form as they are.
        if (!m_boxes.Ask(FileListTexts::tr(FileListTexts::kAskNewList)))
            return;
        m_lstFiles->NewFileList();
    }
    m_exchange.ToControls(TagFields());
}

void CTagEditorDlg::OnAddFile() {
    m_lstFiles->AddChosenFiles(
        m_pFileChooser->ChooseFiles(this, FileListTexts::tr(FileListTexts::kAddFilesTitle),
                                    FileListTexts::tr(FileListTexts::kAddFilesFilter)));
}

void CTagEditorDlg::OnAddFolder() {
    const QString folder =
        m_pFileChooser->ChooseFolder(this, FileListTexts::tr(FileListTexts::kAddFolderTitle));
    if (!folder.isEmpty())
        m_lstFiles->AddChosenFolder(folder);
}

void CTagEditorDlg::AddDroppedFiles(const QStringList& paths) {
    m_lstFiles->AddDroppedFiles(paths);
}

void CTagEditorDlg::SetFileChooser(IFileChooser* chooser) {
    m_pFileChooser = chooser != nullptr ? chooser : m_pDesktopFileChooser.get();
}

void CTagEditorDlg::SetMediaPlayerFactory(IMediaPlayerFactory* players) {
    m_playback = std::make_unique<CPlayback>(players != nullptr ? *players : *m_mediaWindows);
}

void CTagEditorDlg::OnRemoveFile() {
    if (m_lstFiles->GetItemCount() == 0) {
        m_boxes.Notify(FileListTexts::tr(FileListTexts::kNoFilesToRemove),
                       IMessageBoxes::Icon::Information);
        return;
    }
    if ((SelectionHoldsShownRow() || IsEditingSeveral()) &&
        !SettleUnsavedChanges(EditorTexts::kAskSaveBeforeRemove))
        return;
    if (!m_boxes.Ask(FileListTexts::tr(FileListTexts::kAskRemove)))
        return;
    for (int row = m_lstFiles->GetFirstSelectedItem(); row != -1;
         row = m_lstFiles->GetFirstSelectedItem()) {
        m_lstFiles->DeleteItem(row);
        ClearForm();
    }
}

bool CTagEditorDlg::OnSaveFile() {
    if (IsEditingSeveral())
        return OnSaveSeveral();
    if (!m_session.IsLinked()) {
        m_boxes.Notify(EditorTexts::tr(EditorTexts::kNoFileToSave),
                       IMessageBoxes::Icon::Information);
        return false;
    }
    const FormValues form = FormOnScreen();
    if (const TagEditingSession::Refusal refusal = m_session.FirstRefusedEdit(form)) {
        m_exchange.ShowRefusal(refusal);
        return false;
    }
    const SaveResult result = m_session.Save(form);
    // With its cover saved away, the file shows its next picture: left showing none, the form
    // would hold a change whose Save takes that picture too.
    if (result.Saved() && m_session.Held().cover != form.cover)
        m_coverView->SetCover(m_session.Held().cover);
    ShowUnsavedMark();
    if (!result.Saved()) {
        m_boxes.Notify(
            EditorTexts::tr(EditorTexts::kNotSaved)
                .arg(PathForDisplay(m_session.LinkedPath()), QString::fromStdString(result.reason)),
            result.outcome == SaveResult::Outcome::Failed ? IMessageBoxes::Icon::Critical
                                                          : IMessageBoxes::Icon::Warning);
        return false;
    }
    m_lstFiles->RefreshTagColumns({PathForDisplay(m_session.LinkedPath())});
    m_wndStatusBar->showMessage(EditorTexts::tr(EditorTexts::kSaved).arg(ShownFileName()),
                                kSavedMessageMs);
    return true;
}

void CTagEditorDlg::OnUndo() {
    if (IsEditingSeveral())
        ShowBatchValues();
    else
        ShowHeldValues();
}

// Each selected file in turn, through its own session and writer; the files saved stay saved
// whatever happens to the others, and Cancel stops between two files.
bool CTagEditorDlg::OnSaveSeveral() {
    const FormValues form = FormOnScreen();
    const CoverEdit coverEdit = BatchCoverEdit();
    if (const TagEditingSession::Refusal refusal = m_batch.FirstRefusedEdit(form)) {
        m_exchange.ShowRefusal(refusal);
        return false;
    }
    const std::vector<std::string> paths = m_batch.Paths();
    const int count = static_cast<int>(paths.size());
    QProgressDialog progress(EditorTexts::tr(EditorTexts::kSavingFiles).arg(count),
                             EditorTexts::tr(EditorTexts::kCancel), 0, count, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    QStringList notSaved;
    for (int i = 0; i < count; ++i) {
        const QString name = QFileInfo(PathForDisplay(paths[static_cast<size_t>(i)])).fileName();
        if (progress.wasCanceled()) {
            notSaved << EditorTexts::tr(EditorTexts::kNotSavedFile)
                            .arg(name, EditorTexts::tr(EditorTexts::kSaveCancelled));
            continue;
        }
        const SaveResult result =
            BatchForm::SaveFile(paths[static_cast<size_t>(i)], form, coverEdit);
        if (!result.Saved())
            notSaved << EditorTexts::tr(EditorTexts::kNotSavedFile)
                            .arg(name, QString::fromStdString(result.reason));
        progress.setValue(i + 1);
    }
    progress.reset();
    QStringList saved;
    for (const std::string& path : paths)
        saved << PathForDisplay(path);
    m_lstFiles->RefreshTagColumns(saved);
    // What the files hold now is what the form shows and what Undo brings back.
    m_batch.Load(paths);
    ShowBatchValues();
    if (notSaved.isEmpty())
        return true;
    m_boxes.Notify(SaveSummary(notSaved), IMessageBoxes::Icon::Warning);
    return false;
}

QString CTagEditorDlg::SaveSummary(const QStringList& notSaved) const {
    const int count = static_cast<int>(m_batch.Paths().size());
    return EditorTexts::tr(EditorTexts::kSavedSome)
        .arg(QString::number(count - notSaved.size()), QString::number(count),
             QStringLiteral("\n") + notSaved.join(QLatin1Char('\n')));
}

void CTagEditorDlg::OnExit() {
    close();
}

void CTagEditorDlg::OnHelpContents() {
    const QString location = HelpLocation(QCoreApplication::applicationFilePath());
    if (m_helpViewer == nullptr) {
        m_helpViewer = new CHelpViewer(this);
    }
    m_helpViewer->Open(location);
}

void CTagEditorDlg::OnAbout() {
    CAboutBox about(this);
    about.exec();
}

void CTagEditorDlg::OnPlay() {
    if (m_lstFiles->GetItemCount() == 0) {
        m_boxes.Notify(EditorTexts::tr(EditorTexts::kNoFilesToPlay),
                       IMessageBoxes::Icon::Information);
        return;
    }
    const int row = m_lstFiles->GetFirstSelectedItem();
    m_playback->Play(row == -1 ? QString() : m_lstFiles->GetItemText(row));
}

void CTagEditorDlg::OnStop() {
    m_playback->Stop();
}

void CTagEditorDlg::OnPause() {
    m_playback->Pause();
}

void CTagEditorDlg::OnReplaceCover() {
    if (!m_coverView->IsEditable())
        return;
    const QString path =
        m_pFileChooser->ChooseFile(this, EditorTexts::tr(EditorTexts::kChooseCoverTitle),
                                   EditorTexts::tr(EditorTexts::kCoverFilter));
    if (!path.isEmpty())
        TakeCoverFile(path);
}

void CTagEditorDlg::TakeCoverFile(const QString& path) {
    if (!m_coverView->IsEditable())
        return;
    const CoverImageFile image = CoverImageFile::Load(QFile::encodeName(path).toStdString());
    QString problem = QString::fromStdString(image.problem);
    // Its header may be sound and the rest not: the cover must be one the form can show.
    if (image.Accepted() && !m_coverView->TrySetCover(image.picture))
        problem = EditorTexts::tr(EditorTexts::kCoverUnreadable);
    if (!problem.isEmpty())
        m_boxes.Notify(EditorTexts::tr(EditorTexts::kCoverRefused).arg(path, problem),
                       IMessageBoxes::Icon::Warning);
}

void CTagEditorDlg::OnRemoveCover() {
    if (m_coverView->IsEditable())
        m_coverView->SetCover(std::nullopt);
}

void CTagEditorDlg::OnSaveCoverAs() {
    const std::optional<CoverPicture>& cover = m_coverView->Cover();
    if (!cover)
        return;
    // Several files show a cover only when they share it: it is named after the first of them.
    const QFileInfo file(
        PathForDisplay(IsEditingSeveral() ? m_batch.Paths().front() : m_session.LinkedPath()));
    const QString suggested = file.dir().filePath(file.completeBaseName() + QLatin1Char('.') +
                                                  CoverDescription::FileSuffix(cover->mimeType));
    const QString path = m_pFileChooser->ChooseSaveFile(
        this, EditorTexts::tr(EditorTexts::kSaveCoverTitle), suggested);
    if (path.isEmpty())
        return;
    // Written whole or not at all: a failed write leaves whatever was there before.
    QSaveFile out(path);
    const auto size = static_cast<qint64>(cover->Size());
    if (!out.open(QIODevice::WriteOnly) || out.write(cover->Bytes().data(), size) != size ||
        !out.commit())
        m_boxes.Notify(EditorTexts::tr(EditorTexts::kCoverNotWritten).arg(path, out.errorString()),
                       IMessageBoxes::Icon::Critical);
}

// Several files take a cover as they take a typed text: a protected one among them refuses it
// at Save, and says so in the summary.
void CTagEditorDlg::AllowCoverEdits() {
    m_coverView->SetEditable(IsEditingSeveral() ||
                             (m_session.IsLinked() && m_session.Protection().empty()));
}

void CTagEditorDlg::OnClickFileList(int row) {
    if (KeepsUnsavedEdits(row))
        return;
    m_lstFiles->SetItemSelectedFocused(row);
    LinkRow(row);
}

void CTagEditorDlg::OnItemChangedFileList(int row) {
    if (KeepsUnsavedEdits(row))
        return;
    LinkRow(row);
}

// The shown file's row, clicked again or carried elsewhere by a sort or a move, is not read
// again over edits the user has not saved.
bool CTagEditorDlg::KeepsUnsavedEdits(int row) const {
    return row == m_lstFiles->ShownRow() && HasUnsavedChanges();
}

// Without its row the file is out of the user's sight, so nothing may be saved into it.
void CTagEditorDlg::OnShownFileRemoved() {
    m_session.Unlink();
    ClearForm();
    ShowProtection();
    AllowCoverEdits();
}

// Several rows selected: the form edits all their files at once.
void CTagEditorDlg::OnSeveralSelected() {
    std::vector<std::string> paths;
    for (int row = m_lstFiles->GetFirstSelectedItem(); row != -1;
         row = m_lstFiles->Rows().NextWithState(row, CFileRow::Selected))
        paths.push_back(QFile::encodeName(m_lstFiles->GetItemText(row)).toStdString());
    m_session.Unlink();
    m_lstFiles->SetShownRow(-1);
    m_batch.Load(paths);
    ShowBatchValues();
    ShowProtection();
}

// Rows leave the list only by the user's commands on selected rows: the files the form edits
// are then out of sight, and nothing may be saved into them.
void CTagEditorDlg::OnBatchRowsGone() {
    if (IsEditingSeveral())
        ClearForm();
}

void CTagEditorDlg::ShowBatchValues() {
    m_exchange.ToControls(m_batch.Shown().texts);
    m_cbGenre->setCurrentIndex(m_batch.Shown().genreRow);
    if (m_batch.DistinctCoverCount() > 1)
        m_coverView->ShowDifferent(m_batch.DistinctCoverCount());
    else
        m_coverView->SetCover(m_batch.Shown().cover);
    AllowCoverEdits();
    ShowBatchHints();
    ShowUnsavedMark();
}

// A field whose files differ says so in grey and offers their values as completions.
void CTagEditorDlg::ShowBatchHints() {
    ClearBatchHints();
    for (const auto& [edit, member] : m_textFields) {
        QStringList values;
        for (const std::string& text : m_batch.DistinctTexts(member)) {
            if (!text.empty())
                values << QString::fromStdString(text);
        }
        const size_t distinct = m_batch.DistinctTexts(member).size();
        if (distinct < 2)
            continue;
        const QString differ = EditorTexts::tr(EditorTexts::kDifferentValues).arg(distinct);
        // A narrow field (Track, Disc) says it shorter rather than cut it.
        const bool fits =
            edit->fontMetrics().horizontalAdvance(differ) < edit->contentsRect().width() - 8;
        edit->setPlaceholderText(
            fits ? differ : EditorTexts::tr(EditorTexts::kDifferentValuesShort).arg(distinct));
        edit->setToolTip(differ);
        Completions(edit)->setStringList(values);
    }
    if (m_batch.DistinctGenreCount() > 1)
        m_cbGenre->setPlaceholderText(
            EditorTexts::tr(EditorTexts::kDifferentGenres).arg(m_batch.DistinctGenreCount()));
}

void CTagEditorDlg::ClearBatchHints() {
    for (QLineEdit* edit : m_exchange.Edits()) {
        edit->setPlaceholderText(QString());
        edit->setToolTip(QString());
        if (edit->completer() != nullptr)
            Completions(edit)->setStringList({});
    }
    m_cbGenre->setPlaceholderText(QString());
}

// The values a field completes to, made with its first use.
QStringListModel* CTagEditorDlg::Completions(QLineEdit* edit) {
    if (edit->completer() == nullptr) {
        auto* completer = new QCompleter(new QStringListModel(edit), edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        edit->setCompleter(completer);
    }
    return static_cast<QStringListModel*>(edit->completer()->model());
}

void CTagEditorDlg::LinkRow(int row) {
    m_batch.Clear();
    ClearBatchHints();
    m_session.Link(QFile::encodeName(m_lstFiles->GetItemText(row)).toStdString());
    m_lstFiles->SetShownRow(row);
    LoadTagFields();
    ShowProtection();
    AllowCoverEdits();
}

// A protected file's values are there to be read: no edit of them could ever be saved.
void CTagEditorDlg::ShowProtection() {
    const std::string& protection = m_session.Protection();
    m_protectionLine->SetText(
        protection.empty()
            ? QString()
            : EditorTexts::tr(EditorTexts::kProtectedFile).arg(QString::fromStdString(protection)));
    // Read-only, the fields still let their texts be selected and copied; they take the
    // window's ground, as the disabled genre box does, so that they do not look open to typing.
    QPalette readOnly;
    readOnly.setColor(QPalette::Base, palette().color(QPalette::Window));
    for (QLineEdit* edit : m_exchange.Edits()) {
        edit->setReadOnly(!protection.empty());
        edit->setPalette(protection.empty() ? QPalette() : readOnly);
    }
    m_cbGenre->setEnabled(protection.empty());
    ShowUnsavedMark();
}

// Whatever a protected file's form shows, Save would refuse it: nothing there is worth a
// question about saving.
bool CTagEditorDlg::HasUnsavedChanges() const {
    if (IsEditingSeveral())
        return m_batch.HasUnsavedChanges(FormOnScreen(), BatchCoverEdit());
    return m_session.Protection().empty() && m_session.HasUnsavedChanges(FormOnScreen());
}

void CTagEditorDlg::ShowUnsavedMark() {
    setWindowModified(HasUnsavedChanges());
}

bool CTagEditorDlg::SelectionHoldsShownRow() const {
    const int shown = m_lstFiles->ShownRow();
    return shown != -1 && m_lstFiles->Rows().HasState(shown, CFileRow::Selected);
}

QString CTagEditorDlg::ShownFileName() const {
    return QFileInfo(PathForDisplay(m_session.LinkedPath())).fileName();
}

FormValues CTagEditorDlg::FormOnScreen() const {
    return {m_exchange.FromControls(), m_cbGenre->currentIndex(), m_coverView->Cover()};
}

CoverEdit CTagEditorDlg::BatchCoverEdit() const {
    return m_batch.CoverEditOf(m_coverView->Cover(), m_coverView->ShowsDifferent());
}

bool CTagEditorDlg::SettleUnsavedChanges(const char* question) {
    if (!HasUnsavedChanges())
        return true;
    const QString text =
        IsEditingSeveral()
            ? EditorTexts::tr(QuestionAboutSeveral(question)).arg(m_batch.Paths().size())
            : EditorTexts::tr(question).arg(ShownFileName());
    switch (m_boxes.AskYesNoCancel(text)) {
    case IMessageBoxes::Answer::Yes:
        return OnSaveFile();
    case IMessageBoxes::Answer::No:
        return true;
    case IMessageBoxes::Answer::Cancel:
        break;
    }
    return false;
}

void CTagEditorDlg::LoadTagFields() {
    ShowHeldValues();
}

// What was last loaded or saved, into the form; the genre row is the one the tag holds, so 81
// to 254 leave the box without a selection.
void CTagEditorDlg::ShowHeldValues() {
    m_exchange.ToControls(m_session.Held().texts);
    m_cbGenre->setCurrentIndex(m_session.Held().genreRow);
    m_coverView->SetCover(m_session.Held().cover);
}

void CTagEditorDlg::ClearForm() {
    m_batch.Clear();
    ClearBatchHints();
    m_exchange.ToControls(TagFields());
    m_cbGenre->setCurrentIndex(GenreTable::kNoneRow);
    m_coverView->SetCover(std::nullopt);
}
