#include "CDialogUnits.h"
#include "CFileListCtrl.h"
#include "CTagEditorDlg.h"
#include "CTagFile.h"
#include "EditorIds.h"
#include "EditorLayout.h"
#include "FakeMessageBoxes.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace EditorIds;

namespace {

const QString kHint =
    QStringLiteral("Drag and drop MP3 files from your file manager or click Add Files button");
const QString kAskOnClose =
    QStringLiteral("Would you like to save the changes to \"a.mp3\" before closing the editor?");
const QString kAskOnSwitch =
    QStringLiteral("Would you like to save the changes to \"a.mp3\" before editing another file?");
const QString kNoFileToSave =
    QStringLiteral("There is no file to save! Select a file in the list first.");
using Answer = IMessageBoxes::Answer;

// The three ways a row leaves the list, in the order of the tests' data rows.
enum class RemovalWay { RemoveFile, DeleteKey, NewFileList };

// The dialog under test with its fake boxes, and a scratch folder for MP3 files.
struct Editor {
    FakeMessageBoxes boxes;
    CTagEditorDlg dlg{boxes};
    ScratchDir scratch;

    template <typename T = QWidget> T* Control(const char* name) {
        T* control = dlg.findChild<T*>(QString::fromLatin1(name));
        if (control == nullptr)
            qFatal("no control %s", name);
        return control;
    }
    QLineEdit* Edit(const char* name) { return Control<QLineEdit>(name); }
    CFileListCtrl* List() { return Control<CFileListCtrl>("IDC_FILE_LIST"); }
    QComboBox* Genre() { return Control<QComboBox>("IDC_GENRE"); }

    // Writes an MP3 with Title TITLE, Artist ARTIST and genre GENRE into the list.
    std::string AddFile(const std::string& name, const std::string& title,
                        const std::string& artist = "", int genre = 255) {
        Mp3Builder mp3;
        mp3.TextFrame("TIT2", title);
        if (!artist.empty())
            mp3.TextFrame("TPE1", artist);
        if (genre != 255)
            mp3.TextFrame("TCON", "(" + std::to_string(genre) + ")");
        const std::string path = scratch.File(name);
        mp3.WriteTo(path);
        List()->InsertItem(List()->GetItemCount(), QString::fromStdString(path));
        return path;
    }

    void ClickRow(int row) {
        CFileListCtrl* list = List();
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // Row 0: a file Save refuses (a signature frame), whose path is returned; row 1: "Fine".
    std::string AddProtectedThenFineFile() {
        const std::string path = scratch.File("v24.mp3");
        Mp3Builder().Version(4).TextFrame("TIT2", "Four").Frame("SIGN", {1, 2}).WriteTo(path);
        List()->InsertItem(0, QString::fromStdString(path));
        AddFile("fine.mp3", "Fine");
        return path;
    }

    // Takes the selected row out of the list by WAY.
    void RemoveSelectedRow(RemovalWay way) {
        switch (way) {
        case RemovalWay::RemoveFile:
            dlg.OnCommand(ID_FILE_REMOVE_FILE);
            break;
        case RemovalWay::DeleteKey:
            List()->setFocus();
            QTest::keyClick(List(), Qt::Key_Delete);
            break;
        case RemovalWay::NewFileList:
            dlg.OnCommand(ID_FILE_NEW_LIST);
            break;
        }
    }

    void Show() {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }
};

// Types TEXT as a keyboard would, whatever its characters: a character outside the Basic
// Multilingual Plane comes as one key event holding both halves of its surrogate pair.
void Type(QWidget* widget, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
    }
}

TagFields FieldsInFile(const std::string& path) {
    CTagFile tag;
    tag.Link(path);
    return tag.ReadFields();
}

unsigned GenreInFile(const std::string& path) {
    CTagFile tag;
    tag.Link(path);
    return tag.ReadGenreNumber();
}

} // namespace

class TagEditorDlgTest : public QObject {
    Q_OBJECT
private slots:
    void controlsSitAtTheirTemplateRectanglesInDialogUnits_data() {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("8 pt") << 8;
        QTest::newRow("14 pt") << 14;
    }
    void controlsSitAtTheirTemplateRectanglesInDialogUnits() {
        QFETCH(int, pointSize);
        const QFont original = QApplication::font();
        QFont font = original;
        font.setPointSize(pointSize);
        QApplication::setFont(font);
        Editor editor;
        QApplication::setFont(original);

        const CDialogUnits units(editor.dlg.font());
        using namespace EditorLayout;
        const std::pair<const char*, QRect> controls[] = {
            {"IDC_FILE_LIST", kFileList}, {"IDC_TITLE", kTitle}, {"IDC_ARTIST", kArtist},
            {"IDC_ALBUM", kAlbum},        {"IDC_YEAR", kYear},   {"IDC_COMMENTS", kComments},
            {"IDC_TRACK", kTrack},        {"IDC_DISC", kDisc},   {"IDC_ALBUM_ARTIST", kAlbumArtist},
        };
        for (const auto& [name, rect] : controls)
            QCOMPARE(editor.Control(name)->geometry(), units.ToPixels(rect));
        const QRect genre = units.ToPixels(kGenre);
        QCOMPARE(editor.Genre()->geometry().topLeft(), genre.topLeft());
        QCOMPARE(editor.Genre()->width(), genre.width());

        // Labels start where the layout table (EditorLayout.h) puts them, each on its field's line.
        const QList<QLabel*> labels = editor.dlg.findChildren<QLabel*>();
        const std::pair<QString, QRect> labelRects[] = {
            {QStringLiteral("Title:"), kTitleLabel},
            {QStringLiteral("Artist:"), kArtistLabel},
            {QStringLiteral("Album:"), kAlbumLabel},
            {QStringLiteral("Year:"), kYearLabel},
            {QStringLiteral("Genre:"), kGenreLabel},
            {QStringLiteral("Comments:"), kCommentsLabel},
            {QStringLiteral("Track:"), kTrackLabel},
            {QStringLiteral("Disc:"), kDiscLabel},
            {QStringLiteral("Album artist:"), kAlbumArtistLabel},
        };
        for (const auto& [text, rect] : labelRects) {
            const auto found = std::find_if(labels.begin(), labels.end(),
                                            [&](QLabel* label) { return label->text() == text; });
            QVERIFY2(found != labels.end(), qPrintable(text));
            const QRect expected = units.ToPixels(rect);
            QCOMPARE((*found)->pos(), expected.topLeft());
            QVERIFY((*found)->width() >= expected.width());
            QVERIFY((*found)->width() >= (*found)->sizeHint().width());
        }

        // The client area below the menu bar is the layout table's size, the smallest it gets.
        editor.dlg.adjustSize();
        const QSize client = units.ToPixels(kDialogSize);
        const int menuHeight = editor.dlg.findChild<QMenuBar*>()->sizeHint().height();
        QCOMPARE(editor.dlg.size(), QSize(client.width(), client.height() + menuHeight));
        QCOMPARE(editor.dlg.minimumSizeHint(), editor.dlg.size());
        const Qt::WindowFlags flags = editor.dlg.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowMaximizeButtonHint);
        QCOMPARE(editor.dlg.windowTitle(), QStringLiteral("Varlen MP3 Tag Editor[*]"));
    }

    void aGrownWindowGivesTheListRowsAndTheFieldsWidth() {
        Editor editor;
        editor.Show();
        const QRect list = editor.List()->geometry();
        const QRect title = editor.Edit("IDC_TITLE")->geometry();
        const QRect comments = editor.Edit("IDC_COMMENTS")->geometry();
        auto* status = editor.Control<QStatusBar>("IDC_STATUSBAR");
        const QRect statusBar = status->geometry();

        editor.dlg.resize(editor.dlg.size() + QSize(300, 200));
        QTRY_COMPARE(editor.List()->height(), list.height() + 200);
        QCOMPARE(editor.List()->width(), list.width() + 150);
        QCOMPARE(editor.Edit("IDC_TITLE")->geometry(),
                 QRect(title.topLeft() + QPoint(150, 0), title.size() + QSize(150, 0)));
        QCOMPARE(editor.Genre()->width(), editor.Edit("IDC_TITLE")->width());
        QCOMPARE(editor.Edit("IDC_COMMENTS")->height(), comments.height());
        QCOMPARE(status->geometry(), statusBar.translated(0, 200).adjusted(0, 0, 300, 0));

        // Back at the smallest size, everything is where the layout table puts it.
        editor.dlg.resize(editor.dlg.minimumSizeHint());
        QTRY_COMPARE(editor.List()->geometry(), list);
        QCOMPARE(editor.Edit("IDC_TITLE")->geometry(), title);
    }

    void tabOrderFollowsTheTemplate() {
        Editor editor;
        QStringList order;
        QWidget* widget = editor.List();
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != editor.List());
        QCOMPARE(order, QStringList({"IDC_FILE_LIST", "IDC_TITLE", "IDC_ARTIST", "IDC_ALBUM",
                                     "IDC_YEAR", "IDC_GENRE", "IDC_COMMENTS", "IDC_TRACK",
                                     "IDC_DISC", "IDC_ALBUM_ARTIST", "IDC_COVER"}));
    }

    void menuCarriesTheTextsAndIds() {
        Editor editor;
        QStringList items;
        for (QAction* menu : editor.dlg.findChild<QMenuBar*>()->actions()) {
            items << menu->text();
            for (QAction* item : menu->menu()->actions())
                items << (item->isSeparator()
                              ? QStringLiteral("-")
                              : QStringLiteral("%1 %2 %3")
                                    .arg(item->text(), item->data().toString(),
                                         item->shortcut().toString(QKeySequence::PortableText)));
        }
        // The desktop's own keys, and the usual ones where it has none: the test's platform
        // gives no key for Quit.
        QCOMPARE(
            items,
            QStringList({"&File", "&New File List 32771 Ctrl+N", "-", "&Add File 32772 Ctrl+O",
                         QString::fromUtf8("Add F&older… 32789 Ctrl+Shift+O"),
                         "&Save File 32781 Ctrl+S", "&Remove File 32773 ", "-", "Exit 32774 Ctrl+Q",
                         "&Action", "&Undo 32782 Ctrl+Z", "-", "Replace Cover… 32786 ",
                         "Remove Cover 32787 ", "Save Cover As… 32788 ", "&Help",
                         "&Contents 32779 F1", "&About... 32777 "}));
    }

    void theStandardKeysReachTheirCommands() {
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Old");
        editor.ClickRow(0);
        QLineEdit* title = editor.Edit("IDC_TITLE");
        title->setFocus();
        title->selectAll();
        QTest::keyClicks(title, QStringLiteral("Saved"));
        QTest::keyClick(title, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(FieldsInFile(path).title, std::string("Saved"));

        title->setText(QStringLiteral("Dropped"));
        editor.List()->setFocus();
        QTest::keyClick(editor.List(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(title->text(), QStringLiteral("Saved"));

        editor.boxes.answer = false;
        QTest::keyClick(editor.List(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(editor.boxes.questions,
                 QStringList({"Would you like to create a new list of files to edit?"}));
    }

    void startsWithAnEmptyFormAndTheFirstGenre() {
        Editor editor;
        QCOMPARE(editor.Genre()->count(), 81);
        QCOMPARE(editor.Genre()->currentIndex(), 0);
        QCOMPARE(editor.Genre()->itemText(80), QStringLiteral("None"));
        QCOMPARE(editor.List()->GetItemCount(), 0);
        QCOMPARE(editor.List()->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Files to edit"));
        QCOMPARE(editor.List()->columnWidth(0), 293);
        QVERIFY(editor.Edit("IDC_TITLE")->text().isEmpty());
        // A scrolling list, not a menu as tall as the screen.
        QCOMPARE(editor.Genre()->maxVisibleItems(), 20);
        QVERIFY(!editor.Genre()->style()->styleHint(QStyle::SH_ComboBox_Popup, nullptr,
                                                    editor.Genre()));
    }

    void typingOrPastingPastTheCapIsRefused() {
        Editor editor;
        editor.Show();
        QLineEdit* year = editor.Edit("IDC_YEAR");
        year->setFocus();
        QTest::keyClicks(year, QStringLiteral("19999"));
        QCOMPARE(year->text(), QStringLiteral("1999"));

        QLineEdit* title = editor.Edit("IDC_TITLE");
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral("Intro"));
        QApplication::clipboard()->setText(QString(26, QLatin1Char('x')));
        title->paste();
        QCOMPARE(title->text(), QStringLiteral("Intro"));
        QApplication::clipboard()->setText(QString(25, QLatin1Char('x')));
        title->paste();
        QCOMPARE(title->text().size(), 30);

        QLineEdit* comments = editor.Edit("IDC_COMMENTS");
        comments->setFocus();
        Type(comments, QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac \xe6\x9d\xb1\xf0\x9f\x98\x80"));
        QCOMPARE(comments->text(),
                 QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac \xe6\x9d\xb1\xf0\x9f\x98\x80"));

        // Thirty characters of any script fill a field; the thirty-first is refused.
        QLineEdit* album = editor.Edit("IDC_ALBUM");
        album->setFocus();
        Type(album, QString(29, QChar(0x6771)) + QString::fromUtf8("\xf0\x9f\x98\x80"));
        QCOMPARE(album->text().size(), 31); // 29 + a surrogate pair: 30 characters
        Type(album, QString(QChar(0x4eac)));
        QCOMPARE(album->text().size(), 31);
    }

    void aLongLoadedTitleIsKeptUntilTheUserChangesIt() {
        Editor editor;
        editor.Show();
        const std::string longTitle(45, 'T');
        const std::string path = editor.AddFile("long.mp3", longTitle, "Artist");
        editor.ClickRow(0);
        QLineEdit* title = editor.Edit("IDC_TITLE");
        QCOMPARE(title->text(), QString::fromStdString(longTitle));

        // The user may edit it, never lengthen it; the field's own undo works on it.
        title->setFocus();
        title->end(false);
        QTest::keyClick(title, Qt::Key_A);
        QCOMPARE(title->text().size(), 45);
        QTest::keyClick(title, Qt::Key_Backspace);
        QCOMPARE(title->text().size(), 44);
        QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(title->text(), QString::fromStdString(longTitle));
        QTest::keyClick(title, Qt::Key_A);
        QCOMPARE(title->text(), QString::fromStdString(longTitle));

        // Left as it came, it does not hold up a Save of another field.
        editor.Edit("IDC_YEAR")->setText(QStringLiteral("1999"));
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QVERIFY(editor.boxes.Silent());
        QCOMPARE(FieldsInFile(path).title, longTitle);
        QCOMPARE(FieldsInFile(path).year, std::string("1999"));

        // Changed, it must fit.
        const auto before = Mp3Builder::ReadFile(path);
        title->setFocus();
        title->end(false);
        QTest::keyClick(title, Qt::Key_Backspace);
        editor.Edit("IDC_YEAR")->setFocus();
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.appMessages,
                 QStringList({"Please enter no more than 30 characters."}));
        QCOMPARE(editor.boxes.appIcons.value(0), IMessageBoxes::Icon::Warning);
        QCOMPARE(QApplication::focusWidget(), title);
        QCOMPARE(title->selectedText(), title->text());
        QCOMPARE(Mp3Builder::ReadFile(path), before);
    }

    void enterAndEscapeKeepTheWindowAndTheEdits_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        for (const char* control : {"IDC_TITLE", "IDC_YEAR", "IDC_COMMENTS", "IDC_GENRE"}) {
            QTest::addRow("Enter in %s", control)
                << QString::fromLatin1(control) << int(Qt::Key_Return);
            QTest::addRow("keypad Enter in %s", control)
                << QString::fromLatin1(control) << int(Qt::Key_Enter);
            QTest::addRow("Escape in %s", control)
                << QString::fromLatin1(control) << int(Qt::Key_Escape);
        }
    }
    void enterAndEscapeKeepTheWindowAndTheEdits() {
        QFETCH(QString, control);
        QFETCH(int, key);
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Old");
        editor.ClickRow(0);
        const auto before = Mp3Builder::ReadFile(path);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("New"));
        QWidget* focus = editor.Control(qPrintable(control));
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key(key));
        QVERIFY(editor.dlg.isVisible());
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("New"));
        QVERIFY(editor.boxes.Silent());
        QCOMPARE(Mp3Builder::ReadFile(path), before);
    }

    void closeBoxAndExitCloseAtOnceWhenNothingIsUnsaved_data() {
        QTest::addColumn<bool>("byExit");
        QTest::newRow("close box") << false;
        QTest::newRow("File > Exit") << true;
    }
    void closeBoxAndExitCloseAtOnceWhenNothingIsUnsaved() {
        QFETCH(bool, byExit);
        Editor editor;
        editor.Show();
        editor.AddFile("a.mp3", "Title", "Artist", 17);
        editor.ClickRow(0);
        // Edits undone by hand, and "None", which keeps the file's genre, are nothing to save.
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Changed"));
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Title"));
        editor.Genre()->setCurrentIndex(80);
        if (byExit)
            editor.dlg.OnCommand(ID_FILE_EXIT);
        else
            editor.dlg.close();
        QVERIFY(!editor.dlg.isVisible());
        QCOMPARE(editor.dlg.result(), int(QDialog::Rejected));
        QVERIFY(editor.boxes.Silent());
    }

    void closingWithUnsavedEditsAsksFirst_data() {
        QTest::addColumn<bool>("byExit");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("titleInFile");
        for (bool byExit : {false, true}) {
            const char* route = byExit ? "File > Exit" : "close box";
            QTest::addRow("%s, Yes saves and closes", route)
                << byExit << int(Answer::Yes) << true << QStringLiteral("Edited");
            QTest::addRow("%s, No closes without saving", route)
                << byExit << int(Answer::No) << true << QStringLiteral("Old");
            QTest::addRow("%s, Cancel stays", route)
                << byExit << int(Answer::Cancel) << false << QStringLiteral("Old");
        }
    }
    void closingWithUnsavedEditsAsksFirst() {
        QFETCH(bool, byExit);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(QString, titleInFile);
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Old");
        editor.ClickRow(0);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Edited"));
        editor.boxes.threeWayAnswer = Answer(answer);
        if (byExit)
            editor.dlg.OnCommand(ID_FILE_EXIT);
        else
            editor.dlg.close();
        QCOMPARE(editor.boxes.questions, QStringList({kAskOnClose}));
        QCOMPARE(editor.dlg.isVisible(), !closes);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Edited"));
        QCOMPARE(QString::fromStdString(FieldsInFile(path).title), titleInFile);
    }

    void aChangedGenreAloneIsAnUnsavedChange() {
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Title", "", 17);
        editor.ClickRow(0);
        editor.Genre()->setCurrentIndex(8);
        editor.boxes.threeWayAnswer = Answer::Yes;
        editor.dlg.close();
        QCOMPARE(editor.boxes.questions, QStringList({kAskOnClose}));
        QVERIFY(!editor.dlg.isVisible());
        QCOMPARE(GenreInFile(path), 8u);
    }

    void aSaveThatFailsOrIsRefusedKeepsTheWindowOpen() {
        Editor editor;
        editor.Show();
        editor.AddFile("long.mp3", std::string(32, 'T'));
        const std::string path = editor.AddFile("a.mp3", "Old");
        editor.ClickRow(0);
        // A long title from the file is kept as it is; shortened but still too long, it stops
        // the Save.
        editor.Edit("IDC_TITLE")->setText(QString(31, QLatin1Char('T')));
        editor.Edit("IDC_ARTIST")->setText(QStringLiteral("Unsaved"));
        editor.boxes.threeWayAnswer = Answer::Yes;
        editor.dlg.close();
        QCOMPARE(editor.boxes.appMessages,
                 QStringList({"Please enter no more than 30 characters."}));
        QVERIFY(editor.dlg.isVisible());

        editor.ClickRow(1); // Yes again: the long title still stops the save and the switch
        QCOMPARE(editor.List()->GetFirstSelectedItem(), 0);
        editor.boxes.threeWayAnswer = Answer::No;
        editor.ClickRow(1);
        QCOMPARE(editor.List()->GetFirstSelectedItem(), 1);

        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Lost?"));
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        editor.boxes.threeWayAnswer = Answer::Yes;
        editor.dlg.OnCommand(ID_FILE_EXIT);
        QCOMPARE(editor.boxes.notices.size(), 1);
        QCOMPARE(editor.boxes.noticeIcons.value(0), IMessageBoxes::Icon::Critical);
        QVERIFY(editor.dlg.isVisible());
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Lost?"));
    }

    void theStatusBarKeepsItsHint() {
        Editor editor;
        editor.Show();
        QStatusBar* statusBar = editor.Control<QStatusBar>("IDC_STATUSBAR");
        const auto hintShown = [&] {
            const QList<QLabel*> labels = statusBar->findChildren<QLabel*>();
            return labels.size() == 1 && labels[0]->text() == kHint && labels[0]->isVisible() &&
                   statusBar->currentMessage().isEmpty();
        };
        QVERIFY(hintShown());
        editor.AddFile("a.mp3", "A");
        editor.ClickRow(0);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("B"));
        // A Save says so for a moment, in the hint's place; the hint comes back after it.
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(statusBar->currentMessage(), QStringLiteral("Saved a.mp3"));
        statusBar->clearMessage();
        for (int id : {ID_ACTION_UNDO, ID_POPUP_PLAY, ID_FILE_REMOVE_FILE, ID_FILE_NEW_LIST,
                       ID_POPUP_PLAY, ID_FILE_REMOVE_FILE}) {
            editor.dlg.OnCommand(id);
            QVERIFY(hintShown());
        }
    }

    void bothSaveCommandsSave_data() {
        QTest::addColumn<int>("id");
        QTest::newRow("toolbar Save File") << ID_TOOLBAR_SAVE_FILE;
        QTest::newRow("menu Save File") << ID_FILE_SAVE_FILE;
    }
    void bothSaveCommandsSave() {
        QFETCH(int, id);
        Editor editor;
        const std::string path = editor.AddFile("a.mp3", "Title", "Old artist", 17);
        editor.ClickRow(0);
        QCOMPARE(editor.Genre()->currentIndex(), 17);
        editor.Edit("IDC_ARTIST")->setText(QStringLiteral("New artist"));
        editor.Edit("IDC_COMMENTS")->setText(QString::fromUtf8("Caf\xc3\xa9"));
        editor.Genre()->setCurrentIndex(8);
        editor.dlg.OnCommand(id);
        QVERIFY(editor.boxes.Silent());
        const TagFields saved = FieldsInFile(path);
        QCOMPARE(saved.title, std::string("Title"));
        QCOMPARE(saved.artist, std::string("New artist"));
        QCOMPARE(saved.comment, std::string("Caf\xc3\xa9"));
        QCOMPARE(GenreInFile(path), 8u);
    }

    void clickAndKeyboardSelectionLoadTheFile() {
        Editor editor;
        editor.Show();
        editor.AddFile("a.mp3", "First", "Band A", 0);
        editor.AddFile("b.mp3", "Second", "", 255);
        editor.AddFile("c.mp3", "Third", "Band C", 200);
        editor.ClickRow(1);
        QCOMPARE(editor.List()->GetFirstSelectedItem(), 1);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Second"));
        QCOMPARE(editor.Edit("IDC_ARTIST")->text(), QString());
        QCOMPARE(editor.Genre()->currentIndex(), 80);

        QTest::keyClick(editor.List(), Qt::Key_Up);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("First"));
        QCOMPARE(editor.Edit("IDC_ARTIST")->text(), QStringLiteral("Band A"));
        QCOMPARE(editor.Genre()->currentIndex(), 0);

        QTest::keyClick(editor.List(), Qt::Key_End);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Third"));
        QCOMPARE(editor.Genre()->currentIndex(), -1); // genre 200 has no row

        // A form that matches its file switches without a question.
        QVERIFY(editor.boxes.Silent());

        // A click on the row already shown keeps the edits not saved yet.
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Edited"));
        editor.ClickRow(2);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Edited"));
        QVERIFY(editor.boxes.Silent());
    }

    void switchingFilesWithUnsavedEditsAsksFirst_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("answer");
        for (bool byKey : {false, true}) {
            const char* route = byKey ? "arrow key" : "click";
            QTest::addRow("%s, Yes", route) << byKey << int(Answer::Yes);
            QTest::addRow("%s, No", route) << byKey << int(Answer::No);
            QTest::addRow("%s, Cancel", route) << byKey << int(Answer::Cancel);
        }
    }
    void switchingFilesWithUnsavedEditsAsksFirst() {
        QFETCH(bool, byKey);
        QFETCH(int, answer);
        Editor editor;
        editor.Show();
        const std::string first = editor.AddFile("a.mp3", "First");
        editor.AddFile("b.mp3", "Second");
        editor.ClickRow(0);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Edited"));
        editor.boxes.threeWayAnswer = Answer(answer);
        QSignalSpy selected(editor.List(), &CFileListCtrl::itemSelected);
        QSignalSpy clicked(editor.List(), &CFileListCtrl::itemClicked);
        if (byKey)
            QTest::keyClick(editor.List(), Qt::Key_Down);
        else
            editor.ClickRow(1);

        // Asked once, before anything of the second file was read.
        QCOMPARE(editor.boxes.questions, QStringList({kAskOnSwitch}));
        if (Answer(answer) == Answer::Cancel) {
            QCOMPARE(editor.List()->GetFirstSelectedItem(), 0);
            QVERIFY(editor.List()->Rows().HasState(0, CFileRow::Focused));
            QCOMPARE(editor.List()->ShownRow(), 0);
            QCOMPARE(selected.count(), 0);
            QCOMPARE(clicked.count(), 0);
            QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Edited"));
            QCOMPARE(FieldsInFile(first).title, std::string("First"));
            // The edits still go where they belong.
            editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
            QCOMPARE(FieldsInFile(first).title, std::string("Edited"));
            return;
        }
        QCOMPARE(editor.List()->GetFirstSelectedItem(), 1);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Second"));
        QCOMPARE(FieldsInFile(first).title,
                 std::string(Answer(answer) == Answer::Yes ? "Edited" : "First"));
    }

    void sortingTheListKeepsTheEditsOfTheShownFile() {
        Editor editor;
        editor.Show();
        editor.AddFile("b.mp3", "Bee");
        const std::string path = editor.AddFile("a.mp3", "Ay");
        editor.ClickRow(1);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Edited"));
        editor.List()->SortByHeaderClick(0);
        QCOMPARE(editor.List()->GetFirstSelectedItem(), 0);
        QCOMPARE(editor.List()->ShownRow(), 0);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Edited"));
        QVERIFY(editor.boxes.Silent());
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(FieldsInFile(path).title, std::string("Edited"));
    }

    void tabLeavesTheListForTheFormAndShiftTabComesBack() {
        Editor editor;
        editor.Show();
        editor.AddFile("a.mp3", "A");
        editor.ClickRow(0);
        editor.List()->setFocus();
        QTest::keyClick(editor.List(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), editor.Edit("IDC_TITLE"));
        QTest::keyClick(editor.Edit("IDC_TITLE"), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), editor.List());
        QTest::keyClick(editor.List(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), editor.Control("IDC_COVER"));
        QCOMPARE(editor.List()->GetFirstSelectedItem(), 0);
    }

    void undoBringsBackWhatWasLastLoadedOrSaved() {
        Editor editor;
        const std::string path = editor.AddFile("a.mp3", "Loaded", "Artist", 3);
        editor.ClickRow(0);
        QLineEdit* title = editor.Edit("IDC_TITLE");
        title->setText(QStringLiteral("Edited"));
        editor.Genre()->setCurrentIndex(5);
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QCOMPARE(title->text(), QStringLiteral("Loaded"));
        QCOMPARE(editor.Genre()->currentIndex(), 3);

        title->setText(QStringLiteral("Saved"));
        editor.Genre()->setCurrentIndex(9);
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        title->setText(QStringLiteral("Edited again"));
        editor.Genre()->setCurrentIndex(1);
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QCOMPARE(title->text(), QStringLiteral("Saved"));
        QCOMPARE(editor.Genre()->currentIndex(), 9);
        QCOMPARE(FieldsInFile(path).title, std::string("Saved"));
    }

    void saveWithNoFileShownSaysSoAndWritesNothing() {
        Editor editor;
        const std::string path = editor.AddFile("a.mp3", "Untouched");
        const auto before = Mp3Builder::ReadFile(path);
        // Before any selection Undo shows the held (empty) texts and "None".
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Nowhere"));
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QVERIFY(editor.Edit("IDC_TITLE")->text().isEmpty());
        QCOMPARE(editor.Genre()->currentIndex(), 80);

        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Nowhere"));
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.notices, QStringList({kNoFileToSave}));
        QCOMPARE(editor.boxes.noticeIcons.value(0), IMessageBoxes::Icon::Information);
        QVERIFY(editor.boxes.appMessages.isEmpty());
        QCOMPARE(Mp3Builder::ReadFile(path), before);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(editor.scratch.Path()),
                               std::filesystem::directory_iterator()),
                 1);
    }

    void aFailedSaveSaysWhichFileAndWhy() {
        Editor editor;
        const std::string path = editor.AddFile("a.mp3", "Loaded");
        editor.ClickRow(0);
        // The file turns into a folder behind the editor's back.
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Lost?"));
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.notices.size(), 1);
        QVERIFY(editor.boxes.notices[0].contains(QString::fromStdString(path)));
        QCOMPARE(editor.boxes.noticeIcons.value(0), IMessageBoxes::Icon::Critical);
        QVERIFY(editor.boxes.appMessages.isEmpty());
        // The form stays as it was; Undo still brings back what the file holds.
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Lost?"));
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Loaded"));
    }

    void removeAndNewListAskAndClearTheForm() {
        Editor editor;
        editor.dlg.OnCommand(ID_FILE_REMOVE_FILE);
        QCOMPARE(editor.boxes.notices, QStringList({"There are no files to remove!"}));
        editor.dlg.OnCommand(ID_POPUP_PLAY);
        QCOMPARE(editor.boxes.notices.last(), QStringLiteral("There are no files to play!"));
        QCOMPARE(editor.boxes.noticeIcons,
                 QList({IMessageBoxes::Icon::Information, IMessageBoxes::Icon::Information}));

        editor.AddFile("a.mp3", "A", "", 4);
        editor.AddFile("b.mp3", "B");
        editor.ClickRow(0);
        editor.boxes.answer = true;
        editor.dlg.OnCommand(ID_FILE_REMOVE_FILE);
        QCOMPARE(editor.boxes.questions.last(),
                 QStringLiteral("Would you like to remove selected files from the list?"));
        QCOMPARE(editor.List()->GetItemCount(), 1);
        QCOMPARE(editor.List()->GetItemText(0),
                 QString::fromStdString(editor.scratch.File("b.mp3")));
        QCOMPARE(editor.List()->GetFirstSelectedItem(), -1);
        QVERIFY(editor.Edit("IDC_TITLE")->text().isEmpty());
        QCOMPARE(editor.Genre()->currentIndex(), 80);

        editor.ClickRow(0);
        editor.Genre()->setCurrentIndex(7);
        editor.boxes.threeWayAnswer = Answer::No;
        editor.boxes.answer = false;
        editor.dlg.OnCommand(ID_FILE_NEW_LIST);
        QCOMPARE(editor.boxes.questions.last(),
                 QStringLiteral("Would you like to create a new list of files to edit?"));
        // No leaves the list and the form as they were.
        QCOMPARE(editor.List()->GetItemCount(), 1);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("B"));
        QCOMPARE(editor.Genre()->currentIndex(), 7);
        editor.boxes.answer = true;
        editor.dlg.OnCommand(ID_FILE_NEW_LIST);
        QCOMPARE(editor.List()->GetItemCount(), 0);
    }

    void removingTheShownRowAsksAboutItsUnsavedEditsFirst_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("answerNumber");
        const char* ways[] = {"Remove File", "Delete key", "New File List"};
        for (int way = 0; way < 3; ++way) {
            QTest::addRow("%s, Yes", ways[way]) << way << int(Answer::Yes);
            QTest::addRow("%s, No", ways[way]) << way << int(Answer::No);
            QTest::addRow("%s, Cancel", ways[way]) << way << int(Answer::Cancel);
        }
    }
    void removingTheShownRowAsksAboutItsUnsavedEditsFirst() {
        QFETCH(int, way);
        QFETCH(int, answerNumber);
        const auto answer = Answer(answerNumber);
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Title");
        editor.AddFile("b.mp3", "Other");
        editor.ClickRow(0);
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Edited"));
        editor.boxes.threeWayAnswer = answer;
        editor.boxes.answer = true;
        editor.RemoveSelectedRow(RemovalWay(way));
        QStringList asked = {QStringLiteral("Would you like to save the changes to \"a.mp3\" "
                                            "before removing it from the list?")};
        if (answer == Answer::Cancel) {
            QCOMPARE(editor.boxes.questions, asked);
            QCOMPARE(editor.List()->GetItemCount(), 2);
            QCOMPARE(editor.List()->ShownRow(), 0);
            QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("Edited"));
            QCOMPARE(FieldsInFile(path).title, std::string("Title"));
            return;
        }
        // Then the command's own question; the Delete key has none.
        if (RemovalWay(way) == RemovalWay::RemoveFile)
            asked << QStringLiteral("Would you like to remove selected files from the list?");
        if (RemovalWay(way) == RemovalWay::NewFileList)
            asked << QStringLiteral("Would you like to create a new list of files to edit?");
        QCOMPARE(editor.boxes.questions, asked);
        QCOMPARE(editor.List()->ShownRow(), -1);
        QCOMPARE(editor.List()->GetItemCount(), RemovalWay(way) == RemovalWay::NewFileList ? 0 : 1);
        QCOMPARE(FieldsInFile(path).title, std::string(answer == Answer::Yes ? "Edited" : "Title"));
    }

    void theTitleIsMarkedWhileEditsAreUnsavedAndASaveIsAnnounced() {
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Title");
        QStatusBar* statusBar = editor.Control<QStatusBar>("IDC_STATUSBAR");
        editor.ClickRow(0);
        QVERIFY(!editor.dlg.isWindowModified());
        editor.Edit("IDC_ARTIST")->setText(QStringLiteral("Someone"));
        QVERIFY(editor.dlg.isWindowModified());
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QVERIFY(!editor.dlg.isWindowModified());
        editor.Genre()->setCurrentIndex(4);
        QVERIFY(editor.dlg.isWindowModified());
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QVERIFY(!editor.dlg.isWindowModified());
        QCOMPARE(statusBar->currentMessage(), QStringLiteral("Saved a.mp3"));
        statusBar->clearMessage();

        // A Save that fails leaves the mark, and says nothing in the status bar.
        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Lost"));
        std::filesystem::remove(path);
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.notices.size(), 1);
        QVERIFY(editor.dlg.isWindowModified());
        QVERIFY(statusBar->currentMessage().isEmpty());
        // With the row gone, nothing is left unsaved.
        editor.List()->DeleteItem(0);
        QVERIFY(!editor.dlg.isWindowModified());
    }

    void ctrlZUndoesTheFieldsOwnTypingAndThenTheForm() {
        Editor editor;
        editor.Show();
        editor.AddFile("a.mp3", "Title", "Artist");
        editor.ClickRow(0);
        editor.Edit("IDC_ARTIST")->setText(QStringLiteral("Changed"));
        QLineEdit* title = editor.Edit("IDC_TITLE");
        title->setFocus();
        title->end(false);
        QTest::keyClicks(title, QStringLiteral("XY"));
        QCOMPARE(title->text(), QStringLiteral("TitleXY"));

        QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(title->text(), QStringLiteral("Title"));
        QCOMPARE(editor.Edit("IDC_ARTIST")->text(), QStringLiteral("Changed"));
        QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.Edit("IDC_ARTIST")->text(), QStringLiteral("Artist"));
        QVERIFY(!editor.dlg.isWindowModified());
    }

    void aProtectedFileIsShownReadOnlyAndNeverAsksToBeSaved() {
        Editor editor;
        editor.Show();
        editor.AddProtectedThenFineFile();
        editor.ClickRow(0);
        QLineEdit* title = editor.Edit("IDC_TITLE");
        for (const char* name : {"IDC_TITLE", "IDC_ARTIST", "IDC_ALBUM", "IDC_YEAR", "IDC_COMMENTS",
                                 "IDC_TRACK", "IDC_DISC", "IDC_ALBUM_ARTIST"})
            QVERIFY2(editor.Edit(name)->isReadOnly(), name);
        QVERIFY(!editor.Genre()->isEnabled());
        const QString shown = title->text();
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral("typed"));
        QCOMPARE(title->text(), shown);

        // Whatever the form holds for it, nothing is asked on leaving it or closing.
        title->setText(QStringLiteral("Not from the file"));
        editor.Genre()->setCurrentIndex(3);
        QVERIFY(!editor.dlg.isWindowModified());
        editor.ClickRow(1);
        QVERIFY(editor.boxes.questions.isEmpty());
        QCOMPARE(title->text(), QStringLiteral("Fine"));
        QVERIFY(!title->isReadOnly());
        QVERIFY(editor.Genre()->isEnabled());

        editor.ClickRow(0);
        title->setText(QStringLiteral("Not from the file"));
        editor.List()->setFocus();
        QTest::keyClick(editor.List(), Qt::Key_Delete);
        QCOMPARE(editor.List()->GetItemCount(), 1);
        editor.dlg.close();
        QVERIFY(editor.boxes.questions.isEmpty());
    }

    void noSaveReachesAFileWhoseRowHasLeft_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Remove File") << 0;
        QTest::newRow("Delete key") << 1;
        QTest::newRow("New File List") << 2;
    }
    void noSaveReachesAFileWhoseRowHasLeft() {
        QFETCH(int, way);
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Title", "Artist", 17);
        editor.AddFile("b.mp3", "Other");
        editor.ClickRow(0);
        const auto before = Mp3Builder::ReadFile(path);
        editor.boxes.answer = true;
        editor.RemoveSelectedRow(RemovalWay(way));
        QCOMPARE(editor.List()->ShownRow(), -1);
        QVERIFY(editor.Edit("IDC_TITLE")->text().isEmpty());
        QVERIFY(editor.Edit("IDC_ARTIST")->text().isEmpty());
        QCOMPARE(editor.Genre()->currentIndex(), 80);

        editor.Edit("IDC_TITLE")->setText(QStringLiteral("Ghost title"));
        editor.Genre()->setCurrentIndex(3);
        editor.boxes.notices.clear();
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.notices, QStringList({kNoFileToSave}));
        QCOMPARE(Mp3Builder::ReadFile(path), before);
        // Nothing is shown, so nothing is asked on closing either.
        editor.boxes.questions.clear();
        editor.dlg.close();
        QVERIFY(editor.boxes.questions.isEmpty());
        QCOMPARE(Mp3Builder::ReadFile(path), before);
    }

    void aProtectedFileSaysSoUnderTheFormWhileItIsShown() {
        Editor editor;
        editor.Show();
        const std::string path = editor.AddProtectedThenFineFile();
        QWidget* line = editor.Control("IDC_PROTECTION");
        QVERIFY(!line->isVisible());

        editor.ClickRow(0);
        QVERIFY(line->isVisible());
        CTagFile tag;
        tag.Link(path);
        const QList<QLabel*> texts = line->findChildren<QLabel*>();
        QVERIFY(std::any_of(texts.begin(), texts.end(), [&](const QLabel* label) {
            return label->text() == QStringLiteral("This file cannot be saved. ") +
                                        QString::fromStdString(tag.Protection());
        }));
        // Beside the form, under its frame, above the status bar, inside the window.
        const QRect form = editor.dlg.findChild<QGroupBox*>()->geometry();
        QVERIFY(line->geometry().top() > form.bottom());
        QVERIFY(line->geometry().bottom() <
                editor.Control<QStatusBar>("IDC_STATUSBAR")->geometry().top());
        QVERIFY(editor.boxes.Silent());
        // Saving it is refused, which is a warning rather than a failure.
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.noticeIcons, QList({IMessageBoxes::Icon::Warning}));

        editor.ClickRow(1);
        QVERIFY(!line->isVisible());
        editor.ClickRow(0);
        QVERIFY(line->isVisible());
        editor.List()->setFocus();
        QTest::keyClick(editor.List(), Qt::Key_Delete);
        QVERIFY(!line->isVisible());
    }

    void trackDiscAndAlbumArtistLoadSaveAndUndoLikeTheOthers() {
        Editor editor;
        editor.Show();
        const std::string path = editor.scratch.File("a.mp3");
        Mp3Builder()
            .TextFrame("TIT2", "Title")
            .TextFrame("TRCK", "3/12")
            .TextFrame("TPOS", "1/2")
            .TextFrame("TPE2", "Various Artists")
            .WriteTo(path);
        editor.List()->InsertItem(0, QString::fromStdString(path));
        editor.AddFile("b.mp3", "Other");
        editor.ClickRow(0);
        QCOMPARE(editor.Edit("IDC_TRACK")->text(), QStringLiteral("3/12"));
        QCOMPARE(editor.Edit("IDC_DISC")->text(), QStringLiteral("1/2"));
        QCOMPARE(editor.Edit("IDC_ALBUM_ARTIST")->text(), QStringLiteral("Various Artists"));

        // A change of one of them alone is an unsaved change, which Undo takes back.
        editor.Edit("IDC_ALBUM_ARTIST")->setText(QStringLiteral("Someone"));
        QVERIFY(editor.dlg.isWindowModified());
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QVERIFY(!editor.dlg.isWindowModified());
        QCOMPARE(editor.Edit("IDC_ALBUM_ARTIST")->text(), QStringLiteral("Various Artists"));
        editor.Edit("IDC_DISC")->setText(QStringLiteral("2/2"));
        editor.boxes.threeWayAnswer = Answer::Yes;
        editor.ClickRow(1);
        QCOMPARE(editor.boxes.questions, QStringList({kAskOnSwitch}));
        const TagFields saved = FieldsInFile(path);
        QCOMPARE(saved.disc, std::string("2/2"));
        QCOMPARE(saved.track, std::string("3/12"));
        QCOMPARE(editor.Edit("IDC_DISC")->text(), QString());
    }

    void aTrackNotOfItsFormIsRefusedAtSaveNamingTheField() {
        Editor editor;
        editor.Show();
        const std::string path = editor.AddFile("a.mp3", "Title");
        editor.ClickRow(0);
        const auto before = Mp3Builder::ReadFile(path);
        QLineEdit* track = editor.Edit("IDC_TRACK");
        track->setFocus();
        QTest::keyClicks(track, QStringLiteral("3a/-"));
        QCOMPARE(track->text(), QStringLiteral("3/")); // only digits and one slash are typed
        editor.Edit("IDC_TITLE")->setFocus();
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.appMessages,
                 QStringList({"Please enter the track as a number from 1 to 999, or as a number "
                              "and a total such as 3/12."}));
        QCOMPARE(QApplication::focusWidget(), track);
        QCOMPARE(track->selectedText(), track->text());
        QCOMPARE(Mp3Builder::ReadFile(path), before);

        QLineEdit* year = editor.Edit("IDC_YEAR");
        year->setFocus();
        QTest::keyClicks(year, QStringLiteral("19x9"));
        QCOMPARE(year->text(), QStringLiteral("199")); // Year takes digits only
    }
};

QTEST_MAIN(TagEditorDlgTest)
#include "TagEditorDlgTest.moc"
