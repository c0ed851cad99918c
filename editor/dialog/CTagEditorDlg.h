#pragma once

#include "BatchForm.h"
#include "CFormExchange.h"
#include "EditorLayout.h"
#include "TagEditingSession.h"
#include "WindowGrowth.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CCoverView;
class CDialogUnits;
class CFileListCtrl;
class CHelpViewer;
class CLabelToolBar;
class CNoticeLine;
class CPlayback;
class IMediaPlayerFactory;
class IFileChooser;
class IMessageBoxes;
class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QStatusBar;
class QStringListModel;

// The editor's one window: the list of files on the left, the form of the tag fields on the
// right, a menu bar, a band for the toolbar and a status bar with a usage hint. Every menu,
// toolbar and list command comes through OnCommand. Controls are named after their ids
// ("IDC_TITLE", ...).
class CTagEditorDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTagEditorDlg(IMessageBoxes& boxes, QWidget* parent = nullptr);
    ~CTagEditorDlg() override;

    // The one routing point of the window's commands (EditorIds).
    void OnCommand(int id);

    IMessageBoxes& MessageBoxes() { return m_boxes; }
    // Files and folders as a drop on the list brings them (the program's command line).
    void AddDroppedFiles(const QStringList& paths);
    // Where Add File gets its files; nullptr: the desktop's file dialog.
    void SetFileChooser(IFileChooser* chooser);
    // Where Play gets its players; nullptr: the play bar inside this window. Tests bring a silent
    // one. Any playback going on stops.
    void SetMediaPlayerFactory(IMediaPlayerFactory* players);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls(const CDialogUnits& units);
    void CreateMenu();
    void CreateStatusBar();
    void CreateToolBar();
    void CreateProtectionLine();
    QRect PlayBarGeometry() const;
    void PlaceGrown(QWidget* control);
    void FillGenreList();
    void CreateEtchedLine(const QRect& rect, const CDialogUnits& units);
    QLineEdit* CreateTextField(const EditorLayout::FormField& field, const CDialogUnits& units);
    void CreateCoverView(const CDialogUnits& units);
    QComboBox* CreateGenreList(const EditorLayout::FormField& field, const CDialogUnits& units);
    void WatchFormFields();

    void OnNewFileList();
    void OnAddFile();
    void OnAddFolder();
    void OnRemoveFile();
    // True when the file now holds what the form shows.
    bool OnSaveFile();
    void OnUndo();
    void OnExit();
    void OnHelpContents();
    void OnAbout();
    void OnPlay();
    void OnStop();
    void OnPause();
    void OnReplaceCover();
    void OnRemoveCover();
    void OnSaveCoverAs();
    // Puts the picture file at PATH in the form as its cover, or says why it cannot be.
    void TakeCoverFile(const QString& path);
    // The cover may be changed while a file is shown that may be saved.
    void AllowCoverEdits();

    void OnClickFileList(int row);
    void OnItemChangedFileList(int row);
    void OnSeveralSelected();
    void OnBatchRowsGone();
    void OnShownFileRemoved();
    bool KeepsUnsavedEdits(int row) const;
    bool IsEditingSeveral() const { return !m_batch.IsEmpty(); }
    void ShowBatchValues();
    void ShowBatchHints();
    void ClearBatchHints();
    static QStringListModel* Completions(QLineEdit* edit);
    // True when every file now holds what the form set.
    bool OnSaveSeveral();
    QString SaveSummary(const QStringList& notSaved) const;
    void LinkRow(int row);
    void LoadTagFields();
    void ShowHeldValues();
    void ClearForm();
    void ShowProtection();
    bool HasUnsavedChanges() const;
    void ShowUnsavedMark();
    bool SelectionHoldsShownRow() const;
    QString ShownFileName() const;
    FormValues FormOnScreen() const;
    // What a Save of several files does to their covers, as the square shows it.
    CoverEdit BatchCoverEdit() const;
    // Asks QUESTION about unsaved changes, if there are any, and saves on Yes. True when the
    // user may go on: nothing was unsaved, the Save worked, or the user chose to drop the edits.
    bool SettleUnsavedChanges(const char* question);

    IMessageBoxes& m_boxes;
    TagEditingSession m_session;
    // The selected files while several are selected: the form then edits them all, and no file
    // is linked to the session.
    BatchForm m_batch;
    // The form's text fields, each with the text it shows, in the layout table's order.
    std::vector<std::pair<QLineEdit*, std::string TagFields::*>> m_textFields;
    QWidget* m_client = nullptr;
    std::optional<WindowGrowth> m_growth;
    QMenuBar* m_menuBar = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    CLabelToolBar* m_wndToolBar = nullptr;
    QComboBox* m_cbGenre = nullptr;
    CFileListCtrl* m_lstFiles = nullptr;
    CNoticeLine* m_protectionLine = nullptr;
    CCoverView* m_coverView = nullptr;
    // The Action menu's cover commands, enabled as the cover's square allows.
    QAction* m_removeCoverAction = nullptr;
    QAction* m_saveCoverAsAction = nullptr;
    QAction* m_replaceCoverAction = nullptr;
    // The form's text fields, which own what the user sees; what was last loaded or saved is
    // the session's.
    CFormExchange m_exchange;
    std::unique_ptr<IFileChooser> m_pDesktopFileChooser;
    IFileChooser* m_pFileChooser;
    // Made at the first Help > Contents and kept, so the reader's place survives closing it.
    CHelpViewer* m_helpViewer = nullptr;
    std::unique_ptr<IMediaPlayerFactory> m_mediaWindows;
    // Declared after the factories, which it uses.
    std::unique_ptr<CPlayback> m_playback;
};
