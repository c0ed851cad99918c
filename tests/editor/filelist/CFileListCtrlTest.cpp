#include "CFileListCtrl.h"
#include "CDragImageWnd.h"
#include "CFlatHeaderCtrl.h"
#include "EditorIds.h"
#include "FakeFileIconSource.h"
#include "FakeMessageBoxes.h"
#include "FakeMp3Check.h"
#include "Mp3Builder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

namespace {

QStringList TextsOf(const CFileListCtrl& list) {
    QStringList texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts << list.GetItemText(row);
    return texts;
}

} // namespace

class CFileListCtrlTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_boxes = std::make_unique<FakeMessageBoxes>();
        m_window = std::make_unique<QDialog>();
        auto* layout = new QVBoxLayout(m_window.get());
        m_list = new CFileListCtrl(m_window.get());
        m_list->InsertColumn(0, "Files to edit", 293);
        m_list->SetIconSource(&m_icons);
        m_list->SetMp3Check(&m_mp3s);
        m_list->SetMessageBoxes(m_boxes.get());
        m_edit = new QLineEdit(m_window.get());
        layout->addWidget(m_list);
        layout->addWidget(m_edit);
        m_window->resize(320, 240);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() {
        m_window.reset();
        m_boxes.reset();
    }

    void dropOfLocalFilesAppendsThemWithIconsAndItemData() {
        QTemporaryDir dir;
        QStringList paths;
        for (const char* name :
             {"with space.mp3", "acc\u00e9nt \u00e0.mp3", "[brackets] (1).mp3"}) {
            paths << dir.filePath(QString::fromUtf8(name));
            QFile file(paths.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        m_list->SetIconSource(nullptr); // the desktop's icons, on files that exist
        QVERIFY(!m_list->HasImageList());

        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths + paths.mid(0, 1)) // the same file twice
            urls << QUrl::fromLocalFile(path);
        urls << QUrl("https://example.org/remote.mp3");
        mime.setUrls(urls);
        QCOMPARE(Drop(mime), true);

        QCOMPARE(TextsOf(*m_list), paths + paths.mid(0, 1));
        QVERIFY(m_list->HasImageList());
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(m_list->Rows().Row(row).image, row);
            QCOMPARE(m_list->Rows().Row(row).data, qintptr(1));
        }
        QVERIFY(!m_list->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(m_boxes->Silent());
    }

    void dropOfFilesWithoutIconSkipsThemSilently() {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/music/a.mp3"), QUrl::fromLocalFile("/music/noicon.mp3"),
                      QUrl::fromLocalFile("/music/b.ogg")});
        Drop(mime);
        QCOMPARE(TextsOf(*m_list), QStringList({"/music/a.mp3", "/music/b.ogg"}));
        // Icons are never taken back, so a row's image index stays valid.
        m_list->DeleteItem(0);
        QCOMPARE(m_list->Rows().Row(0).image, 1);
    }

    void dropBeyondTheCapacityAddsNothingAndSaysSo() {
        Fill(495);
        QMimeData mime;
        QList<QUrl> urls;
        for (int i = 0; i < 10; ++i)
            urls << QUrl::fromLocalFile(QString("/music/drop%1.mp3").arg(i));
        mime.setUrls(urls);
        Drop(mime);
        QCOMPARE(m_list->GetItemCount(), 495);
        QCOMPARE(m_boxes->appMessages,
                 QStringList({"This version does not allow joining more than 500 files at once "
                              "\nPlease join files in batches not exceeding 500 count."}));

        mime.setUrls(urls.mid(0, 5));
        Drop(mime);
        QCOMPARE(m_list->GetItemCount(), 500);
        QCOMPARE(m_boxes->appMessages.size(), 1);
    }

    void aDroppedFolderBringsTheMp3sBelowItUnderTheDropsRule() {
        QTemporaryDir dir;
        // The test's check takes every file whose name has no "notmp3" in it.
        for (const char* name :
             {"Album/b.mp3", "Album/a.mp3", "Album/Disc/c.mp3", "Album/notmp3.txt"}) {
            QDir().mkpath(QFileInfo(dir.filePath(name)).path());
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QMimeData mime;
        mime.setUrls(
            {QUrl::fromLocalFile(dir.filePath("Album")), QUrl::fromLocalFile("/music/single.mp3")});
        // Four files into room for three: the whole drop stays out.
        Fill(497);
        Drop(mime);
        QCOMPARE(m_list->GetItemCount(), 497);
        QCOMPARE(m_boxes->appMessages.size(), 1);

        m_list->NewFileList();
        Drop(mime);
        // Names compare by character codes, as the list's own sort does: "Disc" before "a.mp3".
        QCOMPARE(TextsOf(*m_list),
                 QStringList({dir.filePath("Album/Disc/c.mp3"), dir.filePath("Album/a.mp3"),
                              dir.filePath("Album/b.mp3"), "/music/single.mp3"}));
        QCOMPARE(m_boxes->appMessages.size(), 1);
    }

    // Whatever way they come, files that are not MP3s stay out, named in one notice with the
    // reason; the MP3s among them join the list, and the capacity counts only those.
    void filesThatAreNotMp3sAreLeftOutAndNamedInOneNotice() {
        Fill(498);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/music/a.mp3"), QUrl::fromLocalFile("/music/notmp3.jpg"),
                      QUrl::fromLocalFile("/music/b.mp3"), QUrl::fromLocalFile("/notmp3 folder")});
        Drop(mime);
        QCOMPARE(m_list->GetItemCount(), 500);
        QCOMPARE(m_list->GetItemText(499), "/music/b.mp3");
        QCOMPARE(m_boxes->notices, QStringList({"Only MP3 files can be edited, so these were not "
                                                "added to the list:\n\n/music/notmp3.jpg\n    Not "
                                                "an MP3.\n/notmp3 folder\n    Not an MP3."}));
        QCOMPARE(m_boxes->noticeIcons.value(0), IMessageBoxes::Icon::Warning);
        QVERIFY(m_boxes->appMessages.isEmpty());

        m_boxes->notices.clear();
        m_list->NewFileList();
        QStringList chosen;
        for (int i = 0; i < 12; ++i)
            chosen << QString("/music/notmp3-%1.txt").arg(i);
        m_list->AddChosenFiles(chosen);
        QCOMPARE(m_list->GetItemCount(), 0);
        QCOMPARE(m_boxes->notices.size(), 1);
        QVERIFY(
            m_boxes->notices[0].contains("/music/notmp3-9.txt\n    Not an MP3.\n... and 2 more."));
        QVERIFY(!m_boxes->notices[0].contains("notmp3-10"));
    }

    // The list's own check looks into the files: a picture, a text and a folder stay out,
    // whatever they are called; an MP3 named otherwise joins.
    void theListTellsMp3sByTheirContent() {
        QTemporaryDir dir;
        const auto write = [&](const QString& name, const Mp3Builder::Bytes& bytes) {
            Mp3Builder::WriteFile(dir.filePath(name).toStdString(), bytes);
            return dir.filePath(name);
        };
        const QString song = write("song.mp3", Mp3Builder().TextFrame("TIT2", "T").Build());
        const QString unnamed = write("song.dat", Mp3Builder().Build());
        const QString cover = write("cover.mp3", Mp3Builder::Bytes(3000, 0xD8));
        const QString readme = write("readme.txt", Mp3Builder::Bytes(100, 'r'));
        m_list->SetMp3Check(nullptr);
        m_list->AddChosenFiles({song, readme, unnamed, cover, dir.path()});
        QCOMPARE(TextsOf(*m_list), QStringList({song, unnamed}));
        const QString notMp3 = "    It is not an MP3 file: no MPEG audio was found in it.";
        QCOMPARE(m_boxes->notices,
                 QStringList({"Only MP3 files can be edited, so these were not added to the "
                              "list:\n\n" +
                              readme + "\n" + notMp3 + "\n" + cover + "\n" + notMp3 + "\n" +
                              dir.path() + "\n    It is a folder, not a file."}));
    }

    void chosenFilesStopAfterTheCapacityWithTheNotice() {
        Fill(499);
        m_list->AddChosenFiles({"/music/x.mp3", "/music/y.mp3", "/music/z.mp3"});
        QCOMPARE(m_list->GetItemCount(), 501);
        QCOMPARE(m_list->GetItemText(500), "/music/y.mp3");
        QCOMPARE(m_boxes->appMessages.size(), 1);
        QCOMPARE(m_boxes->appIcons.value(0), IMessageBoxes::Icon::Warning);
    }

    void newFileListDropsRowsAndTheImageList() {
        Fill(3);
        QVERIFY(m_list->HasImageList());
        m_list->NewFileList();
        QCOMPARE(m_list->GetItemCount(), 0);
        QVERIFY(!m_list->HasImageList());
        Fill(1);
        QCOMPARE(m_list->Rows().Row(0).image, 0);
    }

    void deleteKeyRemovesTheSelectedRowWithoutAQuestion() {
        Fill(3);
        m_list->setFocus();
        QTest::keyClick(m_list, Qt::Key_Delete);
        QCOMPARE(m_list->GetItemCount(), 3);

        m_list->SetItemSelectedFocused(1);
        QTest::keyClick(m_list, Qt::Key_Delete);
        QCOMPARE(TextsOf(*m_list), QStringList({"/music/0.mp3", "/music/2.mp3"}));
        QCOMPARE(m_list->GetFirstSelectedItem(), -1); // no other row is chosen in its place
        QVERIFY(m_boxes->Silent());
    }

    void theListKeepsEnterAndEscapeButTabMovesOn() {
        Fill(2);
        m_list->SetItemSelectedFocused(1);
        m_list->setFocus();
        QVERIFY(m_list->hasFocus());
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(m_list, key);
            QVERIFY2(m_list->hasFocus(), qPrintable(QKeySequence(key).toString()));
            QVERIFY(m_window->isVisible());
        }
        QCOMPARE(m_window->result(), 0);

        QTest::keyClick(m_list, Qt::Key_Tab);
        QVERIFY(m_edit->hasFocus());
        QTest::keyClick(m_edit, Qt::Key_Backtab);
        QVERIFY(m_list->hasFocus());
        QTest::keyClick(m_list, Qt::Key_Backtab);
        QVERIFY(m_edit->hasFocus());
        QCOMPARE(m_list->GetFirstSelectedItem(), 1); // Tab is no row move
    }

    void theColumnFillsTheListAndRowsShowTheirWholePathOnHover() {
        Insert({"/a/rather/long/folder/name/that/goes/on/and/on/and/on/song.mp3"});
        QCOMPARE(m_list->columnWidth(0), m_list->viewport()->width());
        m_window->resize(480, 240);
        QTRY_COMPARE(m_list->columnWidth(0), m_list->viewport()->width());
        QCOMPARE(m_list->horizontalScrollBar()->maximum(), 0);
        const QModelIndex row = m_list->model()->index(0, 0);
        QCOMPARE(row.data(Qt::ToolTipRole).toString(), m_list->GetItemText(0));
    }

    void theShownRowIsFollowedUntilItLeaves() {
        Insert({"b", "a", "c"});
        QSignalSpy removed(m_list, &CFileListCtrl::shownRowRemoved);
        m_list->SetShownRow(0);
        m_list->SortByHeaderClick(0);
        QCOMPARE(m_list->ShownRow(), 1);
        m_list->DeleteItem(0);
        QCOMPARE(m_list->ShownRow(), 0);
        QCOMPARE(removed.count(), 0);
        m_list->DeleteItem(0);
        QCOMPARE(m_list->ShownRow(), -1);
        QCOMPARE(removed.count(), 1);

        m_list->SetShownRow(0);
        m_list->NewFileList();
        QCOMPARE(removed.count(), 2);
        m_list->DeleteAllItems(); // nothing shown any more: nothing to report
        QCOMPARE(removed.count(), 2);
    }

    void leavingTheShownRowAsksFirstAndARefusalKeepsTheSelection() {
        Fill(3);
        m_list->SetItemSelectedFocused(0);
        m_list->SetShownRow(0);
        bool allow = false;
        int asked = 0;
        m_list->SetLeaveShownRowCheck([&](CFileListCtrl::Leave) {
            ++asked;
            return allow;
        });
        QSignalSpy selected(m_list, &CFileListCtrl::itemSelected);
        m_list->setFocus();
        QTest::keyClick(m_list, Qt::Key_Down);
        QTest::keyClick(m_list, Qt::Key_End);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(2));
        QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(1));
        QTest::keyClicks(m_list, QStringLiteral("/music/2"));
        QCOMPARE(m_list->GetFirstSelectedItem(), 0);
        QCOMPARE(selected.count(), 0);
        QVERIFY(asked >= 4); // typing jumps nowhere, so it needs no asking

        const int askedBefore = asked;
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(0));
        QCOMPARE(asked, askedBefore); // the shown row itself is no move
        allow = true;
        QTest::keyClick(m_list, Qt::Key_Down);
        QCOMPARE(m_list->GetFirstSelectedItem(), 1);
        QCOMPARE(selected.count(), 1);
    }

    void scrollingTakesTheFocus() {
        Fill(60);
        m_edit->setFocus();
        m_list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QVERIFY(m_list->hasFocus());
    }

    void clickSelectsTheRowAndReportsIt() {
        Fill(3);
        QSignalSpy clicked(m_list, &CFileListCtrl::itemClicked);
        QSignalSpy selected(m_list, &CFileListCtrl::itemSelected);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(2));
        QCOMPARE(m_list->GetFirstSelectedItem(), 2);
        QVERIFY(m_list->Rows().HasState(2, CFileRow::Focused));
        QCOMPARE(clicked.value(0).value(0).toInt(), 2);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.value(0).value(0).toInt(), 2);
    }

    void ctrlShiftAndCtrlASelectSeveralRowsWithoutPickingOne() {
        Fill(6);
        QSignalSpy clicked(m_list, &CFileListCtrl::itemClicked);
        QSignalSpy selected(m_list, &CFileListCtrl::itemSelected);
        QSignalSpy several(m_list, &CFileListCtrl::severalSelected);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(1));
        QCOMPARE(selected.count(), 1);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(3));
        QCOMPARE(SelectedTexts(), QStringList({"/music/1.mp3", "/music/3.mp3"}));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ShiftModifier, RowCentre(5));
        // The range from the last Ctrl+click joins what was selected.
        QCOMPARE(SelectedTexts(),
                 QStringList({"/music/1.mp3", "/music/3.mp3", "/music/4.mp3", "/music/5.mp3"}));
        QTest::keyClick(m_list, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(SelectedTexts(), QStringList({"/music/1.mp3", "/music/3.mp3", "/music/4.mp3"}));
        QTest::keyClick(m_list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedTexts().size(), 6);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(several.count(), 4);

        // Taking rows away until one is left picks that one.
        m_list->SetItemSelectedFocused(2);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(4));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(2));
        QCOMPARE(SelectedTexts(), QStringList({"/music/4.mp3"}));
        QCOMPARE(selected.last().value(0).toInt(), 4);
    }

    void aPlainClickOnOneOfSeveralSelectsItAloneAndADragMovesThemAll() {
        Insert({"A", "B", "C", "D", "E"});
        m_list->SetItemSelectedFocused(0);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(2));
        QSignalSpy clicked(m_list, &CFileListCtrl::itemClicked);
        StartRowDrag(2);
        QTest::mouseMove(m_list->viewport(), RowCentre(3));
        QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {}, RowCentre(3));
        QCOMPARE(TextsOf(*m_list), QStringList({"B", "D", "A", "C", "E"}));
        QCOMPARE(SelectedTexts(), QStringList({"A", "C"}));
        QCOMPARE(clicked.count(), 0);

        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(3));
        QCOMPARE(SelectedTexts(), QStringList({"C"}));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.value(0).value(0).toInt(), 3);
    }

    void deleteKeyTakesOnlyTheFirstOfSeveralSelectedRows() {
        Insert({"A", "B", "C"});
        m_list->setFocus();
        QTest::keyClick(m_list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_list, Qt::Key_Delete);
        QCOMPARE(TextsOf(*m_list), QStringList({"B", "C"}));
    }

    void selectingAllLeavesTheShownRowOnlyWhenTheCheckAllows() {
        Fill(3);
        m_list->SetItemSelectedFocused(0);
        m_list->SetShownRow(0);
        bool allow = false;
        m_list->SetLeaveShownRowCheck([&](CFileListCtrl::Leave) { return allow; });
        m_list->setFocus();
        QTest::keyClick(m_list, Qt::Key_A, Qt::ControlModifier);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(2));
        QTest::keyClick(m_list, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(SelectedTexts(), QStringList({"/music/0.mp3"}));
        allow = true;
        QTest::keyClick(m_list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedTexts().size(), 3);
    }

    void headerClickSortsAndShowsTheArrow() {
        Insert({"b", "a", "c"});
        m_list->SetItemSelectedFocused(0);
        QSignalSpy selected(m_list, &CFileListCtrl::itemSelected);
        auto* header = static_cast<CFlatHeaderCtrl*>(m_list->header());
        const QPoint onColumn(40, header->height() / 2);

        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onColumn);
        QCOMPARE(TextsOf(*m_list), QStringList({"a", "b", "c"}));
        bool ascending = false;
        QCOMPARE(header->GetSortIndicator(&ascending), 0);
        QVERIFY(ascending);
        // The selection went with "b", and the row it now stands in reports it.
        QCOMPARE(m_list->GetFirstSelectedItem(), 1);
        QCOMPARE(m_list->currentIndex().row(), 1);
        QCOMPARE(selected.value(0).value(0).toInt(), 1);

        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onColumn);
        QCOMPARE(TextsOf(*m_list), QStringList({"c", "b", "a"}));
        QCOMPARE(header->GetSortIndicator(&ascending), 0);
        QVERIFY(!ascending);

        QTest::mouseClick(header->viewport(), Qt::RightButton, {}, onColumn);
        QCOMPARE(TextsOf(*m_list), QStringList({"c", "b", "a"}));
    }

    void theArrowShowsTheListsOwnSortWhateverTheHeaderShowedBefore() {
        Insert({"b", "a", "c"});
        auto* header = static_cast<CFlatHeaderCtrl*>(m_list->header());
        header->SetSortIndicator(0, true); // an arrow the list did not put there

        m_list->SortByHeaderClick(0);
        QCOMPARE(TextsOf(*m_list), QStringList({"a", "b", "c"}));
        bool ascending = false;
        QCOMPARE(header->GetSortIndicator(&ascending), 0);
        QVERIFY(ascending);
    }

    void theArrowGoesOnceAddedOrMovedRowsLeaveItsOrder() {
        auto* header = static_cast<CFlatHeaderCtrl*>(m_list->header());
        Insert({"b", "a", "c"});
        m_list->SortByHeaderClick(0);
        Insert({"d"}); // appended where the sort would put it
        QCOMPARE(header->GetSortIndicator(), 0);
        Insert({"a0"});
        QCOMPARE(header->GetSortIndicator(), -1);
        // Unsorted, the next click sorts ascending, whatever the direction before.
        m_list->SortByHeaderClick(0);
        QCOMPARE(TextsOf(*m_list), QStringList({"a", "a0", "b", "c", "d"}));
        bool ascending = false;
        QCOMPARE(header->GetSortIndicator(&ascending), 0);
        QVERIFY(ascending);

        StartRowDrag(0);
        QTest::mouseMove(m_list->viewport(), RowCentre(1));
        QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {}, RowCentre(1));
        QCOMPARE(TextsOf(*m_list), QStringList({"a0", "a", "b", "c", "d"}));
        QCOMPARE(header->GetSortIndicator(), -1);
    }

    void homeEndAndPageKeysScrollToTheRowTheySelect() {
        Fill(60);
        m_list->SetItemSelectedFocused(0);
        m_list->setFocus();
        const auto inSight = [this](int row) {
            return m_list->viewport()->rect().contains(
                m_list->visualRect(m_list->model()->index(row, 0)));
        };
        QTest::keyClick(m_list, Qt::Key_End);
        QCOMPARE(m_list->GetFirstSelectedItem(), 59);
        QVERIFY(inSight(59));
        QTest::keyClick(m_list, Qt::Key_Home);
        QCOMPARE(m_list->GetFirstSelectedItem(), 0);
        QVERIFY(inSight(0));
        QTest::keyClick(m_list, Qt::Key_PageDown);
        QVERIFY(inSight(m_list->GetFirstSelectedItem()));
    }

    void theSelectionStaysUntilAnotherRowIsChosen() {
        Fill(3);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(1));
        const QPoint belowTheRows(RowCentre(2).x(), m_list->viewport()->height() - 2);
        QVERIFY(!m_list->indexAt(belowTheRows).isValid());
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, belowTheRows);
        QCOMPARE(m_list->GetFirstSelectedItem(), 1);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(1));
        QCOMPARE(m_list->GetFirstSelectedItem(), 1);
        QTest::keyClick(m_list, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(m_list->GetFirstSelectedItem(), 1);
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, RowCentre(2));
        QCOMPARE(m_list->GetFirstSelectedItem(), 2);
    }

    void deleteKeyOnTheShownRowAsksFirstAndARefusalKeepsIt() {
        Fill(3);
        m_list->SetItemSelectedFocused(1);
        m_list->SetShownRow(1);
        QList<CFileListCtrl::Leave> asked;
        bool allow = false;
        m_list->SetLeaveShownRowCheck([&](CFileListCtrl::Leave leave) {
            asked << leave;
            return allow;
        });
        m_list->setFocus();
        QTest::keyClick(m_list, Qt::Key_Delete);
        QCOMPARE(asked, QList({CFileListCtrl::Leave::ByRemoval}));
        QCOMPARE(m_list->GetItemCount(), 3);
        QCOMPARE(m_list->ShownRow(), 1);

        allow = true;
        QTest::keyClick(m_list, Qt::Key_Delete);
        QCOMPARE(m_list->GetItemCount(), 2);
        QCOMPARE(m_list->ShownRow(), -1);
        // Another row than the shown one goes without a question.
        m_list->SetItemSelectedFocused(0);
        asked.clear();
        QTest::keyClick(m_list, Qt::Key_Delete);
        QVERIFY(asked.isEmpty());
        QCOMPARE(m_list->GetItemCount(), 1);
    }

    void mouseDragMovesTheSelectedRowAfterTheTarget() {
        Insert({"A", "B", "C", "D"});
        QTest::mousePress(m_list->viewport(), Qt::LeftButton, {}, RowCentre(0));
        StartRowDrag(0);
        // The picture hangs under the pointer at the point where the row was taken.
        const CDragImageWnd* picture = m_list->DragImage();
        QVERIFY(picture->isVisible());
        QCOMPARE(picture->Picture().deviceIndependentSize().toSize().height(),
                 m_list->visualRect(m_list->model()->index(0, 0)).height());

        QTest::mouseMove(m_list->viewport(), RowCentre(2));
        QVERIFY(m_list->Rows().HasState(2, CFileRow::DropHighlighted));
        QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {}, RowCentre(2));

        QVERIFY(!m_list->IsDraggingRows());
        QCOMPARE(TextsOf(*m_list), QStringList({"B", "C", "A", "D"}));
        QCOMPARE(m_list->GetFirstSelectedItem(), 2);
        QCOMPARE(m_list->Rows().NextWithState(-1, CFileRow::DropHighlighted), -1);
    }

    void releaseBeforeReachingAnyRowMovesNothing() {
        Insert({"A", "B", "C", "D"});
        // A first drag leaves its target behind.
        StartRowDrag(0);
        QTest::mouseMove(m_list->viewport(), RowCentre(3));
        QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {}, RowCentre(3));
        QCOMPARE(TextsOf(*m_list), QStringList({"B", "C", "D", "A"}));

        StartRowDrag(0);
        QTest::mouseMove(m_list->viewport(), QPoint(m_list->viewport()->width() + 30, 0));
        QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {},
                            QPoint(m_list->viewport()->width() + 30, 0));
        QCOMPARE(TextsOf(*m_list), QStringList({"B", "C", "D", "A"}));
    }

    void autoScrollMovesTheHighlightOneRowPerTick() {
        Fill(60);
        m_list->scrollToBottom();
        const int bottom = m_list->verticalScrollBar()->value();
        const int firstVisible = m_list->indexAt(QPoint(8, 2)).row();
        m_list->SetItemSelectedFocused(firstVisible + 1);
        StartRowDrag(firstVisible + 1);
        QTest::mouseMove(m_list->viewport(), RowCentre(firstVisible));
        QCOMPARE(HighlightedRow(), firstVisible);

        QList<int> highlights;
        QObject recorder;
        // Queued: the tick sets the new target after it has scrolled.
        connect(
            m_list->verticalScrollBar(), &QScrollBar::valueChanged, &recorder,
            [&](int) { highlights << HighlightedRow(); }, Qt::QueuedConnection);
        QTest::mouseMove(m_list->viewport(), QPoint(8, -4)); // over the header
        QTRY_VERIFY(highlights.size() >= 3);
        QTest::mouseMove(m_list->viewport(), RowCentre(firstVisible));
        QTest::mouseRelease(m_list->viewport(), Qt::LeftButton, {}, RowCentre(firstVisible));

        QCOMPARE(highlights.value(0), firstVisible - 1);
        for (qsizetype i = 1; i < highlights.size(); ++i)
            QCOMPARE(highlights[i], highlights[i - 1] - 1);
        QVERIFY(m_list->verticalScrollBar()->value() < bottom);
    }

    void contextMenuOffersPlayStopPauseInsideTheRowsOnly() {
        Fill(60);
        QSignalSpy commands(m_list, &CFileListCtrl::commandRequested);

        QScrollBar* bar = m_list->verticalScrollBar();
        QTRY_VERIFY(bar->isVisible());
        RightClick(bar, bar->rect().center());
        QVERIFY(m_list->findChildren<QMenu*>().isEmpty());
        RightClick(m_list->header()->viewport(), QPoint(20, 5));
        QVERIFY(m_list->findChildren<QMenu*>().isEmpty());

        RightClick(m_list->viewport(), RowCentre(1));
        QMenu* menu = m_list->findChild<QMenu*>();
        QVERIFY(menu != nullptr);
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, QStringList({"&Play", "&Stop", "P&ause"}));
        menu->actions().at(2)->trigger();
        QCOMPARE(commands.value(0).value(0).toInt(), EditorIds::ID_POPUP_PAUSE);
        menu->close();
    }

    void theReleaseOfTheClickThatOpenedTheMenuChoosesNothing() {
        Fill(3);
        QSignalSpy commands(m_list, &CFileListCtrl::commandRequested);
        RightClick(m_list->viewport(), RowCentre(1));
        QMenu* menu = m_list->findChild<QMenu*>();
        QVERIFY(menu != nullptr);
        QTRY_VERIFY(menu->isVisible());
        // The menu opens with Play under the pointer; the button comes up there.
        QAction* play = menu->actions().at(0);
        const QPoint onPlay = menu->actionGeometry(play).topLeft() + QPoint(2, 2);
        const QPoint opened = m_list->viewport()->mapToGlobal(RowCentre(1));
        QVERIFY((menu->mapToGlobal(onPlay) - opened).manhattanLength() <=
                QApplication::startDragDistance());
        // A hand holding the button still for a moment still moves the pointer a little.
        for (int jitter = 0; jitter < 10; ++jitter) {
            const QPoint at = onPlay + QPoint(jitter % 2, 0);
            QMouseEvent move(QEvent::MouseMove, at, menu->mapToGlobal(at), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(menu, &move);
        }
        QTest::mouseRelease(menu, Qt::RightButton, {}, onPlay);
        QVERIFY(commands.isEmpty());
        QVERIFY(menu->isVisible());

        QTest::mouseClick(menu, Qt::LeftButton, {}, onPlay);
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands.value(0).value(0).toInt(), EditorIds::ID_POPUP_PLAY);
    }

    void destroyingTheListDuringADragTakesThePictureAway() {
        Insert({"A", "B"});
        StartRowDrag(0);
        QPointer<const CDragImageWnd> picture(m_list->DragImage());
        QVERIFY(picture);
        delete m_list;
        QVERIFY(!picture);
        QVERIFY(QWidget::mouseGrabber() == nullptr);
    }

private:
    void Insert(const QStringList& paths) {
        for (const QString& path : paths)
            m_list->AddChosenFiles({path});
    }

    // Presses on `row` and moves the pointer along it far enough to start dragging it.
    void StartRowDrag(int row) {
        QTest::mousePress(m_list->viewport(), Qt::LeftButton, {}, RowCentre(row));
        QTest::mouseMove(m_list->viewport(),
                         RowCentre(row) + QPoint(QApplication::startDragDistance() + 1, 0));
        QVERIFY(m_list->IsDraggingRows());
    }

    void Fill(int rows) {
        QStringList paths;
        for (int i = 0; i < rows; ++i)
            paths << QString("/music/%1.mp3").arg(i);
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        mime.setUrls(urls);
        Drop(mime);
        QCOMPARE(m_list->GetItemCount(), rows);
    }

    bool Drop(const QMimeData& mime) {
        const QPointF at(10, 10);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_list->viewport(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_list->viewport(), &drop);
        return drop.isAccepted();
    }

    QStringList SelectedTexts() const {
        QStringList texts;
        for (int row = 0; row < m_list->GetItemCount(); ++row) {
            if (m_list->Rows().HasState(row, CFileRow::Selected))
                texts << m_list->GetItemText(row);
        }
        return texts;
    }

    QPoint RowCentre(int row) const {
        return m_list->visualRect(m_list->model()->index(row, 0)).center();
    }

    int HighlightedRow() const {
        return m_list->Rows().NextWithState(-1, CFileRow::DropHighlighted);
    }

    static void RightClick(QWidget* widget, const QPoint& position) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, position, widget->mapToGlobal(position));
        QApplication::sendEvent(widget, &event);
    }

    FakeFileIconSource m_icons;
    FakeMp3Check m_mp3s;
    std::unique_ptr<FakeMessageBoxes> m_boxes;
    std::unique_ptr<QDialog> m_window;
    QPointer<CFileListCtrl> m_list;
    QLineEdit* m_edit = nullptr;
};

QTEST_MAIN(CFileListCtrlTest)
#include "CFileListCtrlTest.moc"
