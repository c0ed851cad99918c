#include "CFileListCtrl.h"
#include "CLabelToolBar.h"
#include "CMediaWindow.h"
#include "CTagEditorDlg.h"
#include "CTagFile.h"
#include "EditorIds.h"
#include "FakeMediaPlayerFactory.h"
#include "FakeMessageBoxes.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace EditorIds;

namespace {

QStringList Requests(std::initializer_list<QString> requests) {
    return QStringList(requests);
}

// The editor window, playing silently into a log unless a test asks for the real play bar.
class PlayToolEditor {
public:
    explicit PlayToolEditor(bool realPlayer = false) : m_dlg(m_boxes) {
        if (!realPlayer)
            m_dlg.SetMediaPlayerFactory(&m_players);
    }

    CTagEditorDlg& Dlg() { return m_dlg; }
    FakeMessageBoxes& Boxes() { return m_boxes; }
    const QStringList& PlayerLog() const { return m_players.Log(); }
    void ClearPlayerLog() { m_players.ClearLog(); }

    CFileListCtrl* List() {
        return m_dlg.findChild<CFileListCtrl*>(QStringLiteral("IDC_FILE_LIST"));
    }
    CLabelToolBar* ToolBar() { return m_dlg.findChild<CLabelToolBar*>(); }

    // Rows for files that need not exist: playback only hands the path on.
    void AddRows(const QStringList& paths) {
        for (const QString& path : paths) {
            List()->InsertItem(List()->GetItemCount(), path);
        }
    }

    QString AddMp3(const std::string& name, const std::string& title) {
        const std::string path = m_scratch.File(name);
        Mp3Builder().TextFrame("TIT2", title).AudioFrames(400).WriteTo(path);
        const QString qpath = QString::fromStdString(path);
        AddRows({qpath});
        return qpath;
    }

    QToolButton* ToolButton(int commandId) {
        for (QAction* action : ToolBar()->actions()) {
            if (action->data().toInt() == commandId) {
                return qobject_cast<QToolButton*>(ToolBar()->widgetForAction(action));
            }
        }
        return nullptr;
    }

    QAction* MenuAction(int commandId) {
        for (QAction* menu : m_dlg.findChild<QMenuBar*>()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->data().toInt() == commandId) {
                    return item;
                }
            }
        }
        return nullptr;
    }

private:
    FakeMessageBoxes m_boxes;
    FakeMediaPlayerFactory m_players;
    ScratchDir m_scratch;
    CTagEditorDlg m_dlg;
};

std::string TitleInFile(const QString& path) {
    CTagFile tag;
    tag.Link(path.toStdString());
    return tag.ReadFields().title;
}

} // namespace

class TagEditorDlgPlayToolTest : public QObject {
    Q_OBJECT

private slots:
    void playWithAnEmptyListOnlySaysSo() {
        PlayToolEditor editor;

        editor.Dlg().OnCommand(ID_POPUP_PLAY);

        QCOMPARE(editor.Boxes().notices,
                 QStringList{QStringLiteral("There are no files to play!")});
        QVERIFY(editor.PlayerLog().isEmpty());
    }

    void playOpensTheFirstSelectedRow() {
        PlayToolEditor editor;
        editor.AddRows({QStringLiteral("/music/a.mp3"), QStringLiteral("/music/b.mp3")});
        editor.List()->SetItemSelectedFocused(1);

        editor.Dlg().OnCommand(ID_POPUP_PLAY);

        QCOMPARE(editor.PlayerLog(), Requests({"create /music/b.mp3", "play"}));
        QVERIFY(editor.Boxes().Silent());
    }

    void playWithoutASelectionOpensAnEmptyPathAndSaysNothing() {
        PlayToolEditor editor;
        editor.AddRows({QStringLiteral("/music/a.mp3")});

        editor.Dlg().OnCommand(ID_POPUP_PLAY);

        QCOMPARE(editor.PlayerLog(), Requests({"create ", "play"}));
        QVERIFY(editor.Boxes().Silent());
    }

    void theListsContextCommandsDriveOnePlayer() {
        PlayToolEditor editor;
        editor.AddRows({QStringLiteral("/music/a.mp3")});
        editor.List()->SetItemSelectedFocused(0);

        for (int command : {ID_POPUP_PLAY, ID_POPUP_PAUSE, ID_POPUP_PAUSE, ID_POPUP_PLAY,
                            ID_POPUP_PAUSE, ID_POPUP_STOP, ID_POPUP_PAUSE, ID_POPUP_STOP}) {
            emit editor.List()->commandRequested(command);
        }

        QCOMPARE(editor.PlayerLog(),
                 Requests({"create /music/a.mp3", "play", "pause", "resume", "stop", "close",
                           "create /music/a.mp3", "play", "pause", "stop", "close"}));
    }

    void playbackGoesOnWhileRowsAreRemoved() {
        PlayToolEditor editor;
        editor.AddRows({QStringLiteral("/music/a.mp3"), QStringLiteral("/music/b.mp3"),
                        QStringLiteral("/music/c.mp3")});
        editor.List()->SetItemSelectedFocused(0);
        editor.Dlg().OnCommand(ID_POPUP_PLAY);
        editor.ClearPlayerLog();

        editor.Dlg().OnCommand(ID_FILE_REMOVE_FILE);
        editor.List()->DeleteItem(0);
        editor.Dlg().OnCommand(ID_FILE_NEW_LIST);
        editor.Dlg().OnCommand(ID_POPUP_PAUSE);

        QCOMPARE(editor.List()->GetItemCount(), 0);
        QCOMPARE(editor.PlayerLog(), Requests({"pause"}));
    }

    void playbackGoesOnWhileRowsAreSortedAndMoved() {
        PlayToolEditor editor;
        editor.Dlg().show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.Dlg()));
        CFileListCtrl* list = editor.List();
        editor.AddRows({QStringLiteral("/music/c.mp3"), QStringLiteral("/music/a.mp3"),
                        QStringLiteral("/music/b.mp3")});
        list->SetItemSelectedFocused(0);
        editor.Dlg().OnCommand(ID_POPUP_PLAY);
        editor.ClearPlayerLog();

        list->SortByHeaderClick(0);
        QCOMPARE(list->GetItemText(0), QStringLiteral("/music/a.mp3"));
        const auto rowCentre = [list](int row) {
            return list->visualRect(list->model()->index(row, 0)).center();
        };
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QTest::mouseMove(list->viewport(),
                         rowCentre(0) + QPoint(QApplication::startDragDistance() + 1, 0));
        QTest::mouseMove(list->viewport(), rowCentre(2));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
        QCOMPARE(list->GetItemText(2), QStringLiteral("/music/a.mp3"));
        editor.Dlg().OnCommand(ID_POPUP_PAUSE);

        QCOMPARE(editor.PlayerLog(), Requests({"pause"}));
    }

    void theToolbarFillsTheBandAboveTheEtchedLine() {
        PlayToolEditor editor;
        CLabelToolBar* toolBar = editor.ToolBar();
        QVERIFY(toolBar != nullptr);
        QWidget* client = toolBar->parentWidget();

        int lineTop = -1;
        for (QFrame* frame : client->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly)) {
            // The topmost line: the one under the toolbar's band, not the one inside the form.
            if (frame->frameShape() == QFrame::HLine && (lineTop == -1 || frame->y() < lineTop)) {
                lineTop = frame->y();
            }
        }
        QCOMPARE(toolBar->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(toolBar->width(), client->width());
        QVERIFY(toolBar->geometry().bottom() < lineTop);
        QVERIFY(toolBar->ShowsTextLabels());
        QCOMPARE(editor.ToolButton(ID_TOOLBAR_SAVE_FILE)->text(), QStringLiteral("Save File"));
    }

    void theToolbarButtonsSendTheirCommands() {
        PlayToolEditor editor;
        editor.Dlg().show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.Dlg()));
        editor.AddRows({QStringLiteral("/music/a.mp3")});

        QTest::mouseClick(editor.ToolButton(ID_FILE_NEW_LIST), Qt::LeftButton);

        QCOMPARE(editor.Boxes().questions.size(), 1);
        QCOMPARE(editor.List()->GetItemCount(), 0);
    }

    void toolbarSaveAndMenuSaveDoTheSame() {
        PlayToolEditor editor;
        editor.Dlg().show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.Dlg()));
        const QString first = editor.AddMp3("first.mp3", "Old");
        const QString second = editor.AddMp3("second.mp3", "Old");
        auto* title = editor.Dlg().findChild<QLineEdit*>(QStringLiteral("IDC_TITLE"));

        editor.List()->SetItemSelectedFocused(0);
        title->setText(QStringLiteral("By toolbar"));
        QTest::mouseClick(editor.ToolButton(ID_TOOLBAR_SAVE_FILE), Qt::LeftButton);

        editor.List()->SetItemSelectedFocused(1);
        title->setText(QStringLiteral("By menu"));
        editor.MenuAction(ID_FILE_SAVE_FILE)->trigger();

        QCOMPARE(TitleInFile(first), std::string("By toolbar"));
        QCOMPARE(TitleInFile(second), std::string("By menu"));
        QVERIFY(editor.Boxes().Silent());
    }

    void thePlayBarSitsBelowTheListAndOnlyOneExists() {
        PlayToolEditor editor(true);
        editor.AddMp3("song.mp3", "Song");
        editor.List()->SetItemSelectedFocused(0);

        editor.Dlg().OnCommand(ID_POPUP_PLAY);
        editor.Dlg().OnCommand(ID_POPUP_PLAY);

        const QList<CMediaWindow*> players = editor.Dlg().findChildren<CMediaWindow*>();
        QCOMPARE(players.size(), 1);
        const QRect bar = players.first()->geometry();
        QWidget* client = players.first()->parentWidget();
        QVERIFY(client->rect().contains(bar));
        QVERIFY(bar.top() > editor.List()->geometry().bottom());
        QVERIFY(bar.bottom() < client->findChild<QStatusBar*>()->geometry().top());
        QVERIFY(!bar.intersects(client->findChild<QGroupBox*>()->geometry()));
        QVERIFY(bar.height() >= players.first()->sizeHint().height());

        editor.Dlg().OnCommand(ID_POPUP_STOP);

        QVERIFY(editor.Dlg().findChildren<CMediaWindow*>().isEmpty());
    }
};

QTEST_MAIN(TagEditorDlgPlayToolTest)
#include "TagEditorDlgPlayToolTest.moc"
