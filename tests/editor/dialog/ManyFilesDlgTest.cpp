// The window with several files selected: the form over all of them, their Save, and the
// questions and Undo that cover the whole selection.
#include "CCoverView.h"
#include "CFileListCtrl.h"
#include "CTagEditorDlg.h"
#include "CTagFile.h"
#include "CoverPictures.h"
#include "EditorIds.h"
#include "FakeMessageBoxes.h"
#include "Mp3Builder.h"
#include "PythonRun.h"
#include "ScratchDir.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QMenuBar>
#include <QStringListModel>
#include <QtTest>

#include <filesystem>

using namespace EditorIds;
using Answer = IMessageBoxes::Answer;

namespace {

struct Editor {
    FakeMessageBoxes boxes;
    CTagEditorDlg dlg{boxes};
    ScratchDir scratch;

    CFileListCtrl* List() { return dlg.findChild<CFileListCtrl*>("IDC_FILE_LIST"); }
    QLineEdit* Edit(const char* name) { return dlg.findChild<QLineEdit*>(name); }
    QComboBox* Genre() { return dlg.findChild<QComboBox*>("IDC_GENRE"); }

    std::string Add(const std::string& name, const std::string& title, const std::string& album,
                    int genre) {
        const std::string path = scratch.File(name);
        Mp3Builder()
            .TextFrame("TIT2", title)
            .TextFrame("TALB", album)
            .TextFrame("TCON", "(" + std::to_string(genre) + ")")
            .WriteTo(path);
        List()->InsertItem(List()->GetItemCount(), QString::fromStdString(path));
        return path;
    }

    CCoverView* Cover() { return dlg.findChild<CCoverView*>(QStringLiteral("IDC_COVER")); }
    bool MenuEnabled(int id) {
        for (QAction* action : dlg.findChild<QMenuBar*>()->findChildren<QAction*>())
            if (action->data().toInt() == id)
                return action->isEnabled();
        return false;
    }

    // NAME as another program writes it: a title, a front cover of COLOR and a back cover.
    std::string AddWithCovers(const std::string& name, const QColor& color) {
        const std::string path = scratch.File(name);
        Mp3Builder().TextFrame("TIT2", name).WriteTo(path);
        const std::string output = PythonOutput(
            {"-c",
             "import sys\n"
             "from mutagen.id3 import ID3, APIC\n"
             "tag = ID3(sys.argv[1])\n"
             "for kind, picture in ((3, sys.argv[2]), (4, sys.argv[3])):\n"
             "    tag.add(APIC(encoding=0, mime='image/png', type=kind, desc=str(kind),\n"
             "                 data=open(picture, 'rb').read()))\n"
             "tag.save(v2_version=3)\n",
             path, PictureFile(name + ".front.png", color), PictureFile("back.png", Qt::darkGray)});
        if (!output.empty())
            qWarning("%s", output.c_str());
        List()->InsertItem(List()->GetItemCount(), QString::fromStdString(path));
        return path;
    }
    // A PNG of one COLOR, one the window can decode, written to NAME.
    std::string PictureFile(const std::string& name, const QColor& color) {
        QImage image(48, 48, QImage::Format_RGB32);
        image.fill(color);
        const std::string path = scratch.File(name);
        image.save(QString::fromStdString(path), "PNG");
        return path;
    }

    void SelectAll() {
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_A, Qt::ControlModifier);
    }
};

TagFields FieldsIn(const std::string& path) {
    CTagFile tag;
    tag.Link(path);
    return tag.ReadFields();
}

QStringList Completions(QLineEdit* edit) {
    if (edit->completer() == nullptr)
        return {};
    auto* model = qobject_cast<QStringListModel*>(edit->completer()->model());
    return model != nullptr ? model->stringList() : QStringList();
}

} // namespace

class ManyFilesDlgTest : public QObject {
    Q_OBJECT
private slots:
    void theFormShowsWhatTheFilesShareAndSaysWhereTheyDiffer() {
        Editor editor;
        editor.Add("a.mp3", "One", "Album", 17);
        editor.Add("b.mp3", "Two", "Album", 17);
        editor.Add("c.mp3", "Three", "Album", 8);
        editor.List()->SetItemSelectedFocused(0);
        QCOMPARE(editor.Edit("IDC_TITLE")->text(), QStringLiteral("One"));

        editor.SelectAll();
        QLineEdit* title = editor.Edit("IDC_TITLE");
        QCOMPARE(title->text(), QString());
        QCOMPARE(title->placeholderText(), QStringLiteral("(3 different values)"));
        QCOMPARE(Completions(title), QStringList({"One", "Two", "Three"}));
        QCOMPARE(editor.Edit("IDC_ALBUM")->text(), QStringLiteral("Album"));
        QCOMPARE(editor.Edit("IDC_ALBUM")->placeholderText(), QString());
        QCOMPARE(editor.Genre()->currentIndex(), -1);
        QCOMPARE(editor.Genre()->placeholderText(), QStringLiteral("(2 different genres)"));

        // Undo brings back what the files hold; one row again is one file's form.
        title->setText(QStringLiteral("Typed"));
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QCOMPARE(title->text(), QString());
        editor.List()->SetItemSelectedFocused(1);
        QCOMPARE(title->text(), QStringLiteral("Two"));
        QCOMPARE(title->placeholderText(), QString());
        QCOMPARE(Completions(title), QStringList());
        QCOMPARE(editor.Genre()->currentIndex(), 17);
        QVERIFY(editor.boxes.Silent());
    }

    void aSaveSetsOnlyWhatWasTypedInEveryFileAndNamesThoseItCouldNotSave() {
        Editor editor;
        const std::string a = editor.Add("a.mp3", "One", "Old", 17);
        const std::string b = editor.Add("b.mp3", "Two", "Old", 8);
        const std::string gone = editor.Add("gone.mp3", "Gone", "Old", 8);
        const std::string locked = editor.scratch.File("v24.mp3");
        Mp3Builder().Version(4).TextFrame("TIT2", "Four").Frame("SIGN", {1, 2}).WriteTo(locked);
        editor.List()->InsertItem(3, QString::fromStdString(locked));
        const std::string readOnly = editor.Add("read-only.mp3", "Five", "Old", 8);
        std::filesystem::permissions(readOnly, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        editor.SelectAll();
        std::filesystem::remove(gone);

        editor.Edit("IDC_ALBUM")->setText(QStringLiteral("New"));
        editor.Genre()->setCurrentIndex(80); // "None": each file keeps its genre
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);

        QCOMPARE(editor.boxes.notices.size(), 1);
        const QString summary = editor.boxes.notices[0];
        QVERIFY2(summary.startsWith("Saved 2 of 5 files. Not saved: "), qPrintable(summary));
        QVERIFY(summary.contains("\ngone.mp3: "));
        QVERIFY(summary.contains("\nv24.mp3: "));
        QVERIFY(summary.contains("\nread-only.mp3: "));
        QCOMPARE(FieldsIn(readOnly).album, std::string("Old"));
        for (const std::string& path : {a, b})
            QCOMPARE(FieldsIn(path).album, std::string("New"));
        QCOMPARE(FieldsIn(a).title, std::string("One"));
        QCOMPARE(FieldsIn(b).title, std::string("Two"));
        CTagFile tag;
        tag.Link(b);
        QCOMPARE(tag.ReadGenreNumber(), 8u);
        QCOMPARE(FieldsIn(locked).album, std::string());
        // The form now shows what the files hold.
        QCOMPARE(editor.Edit("IDC_ALBUM")->placeholderText(),
                 QStringLiteral("(3 different values)"));
    }

    void aCoverReplacedOrRemovedGoesToEveryFileThatCanBeSavedAndOtherPicturesStay() {
        Editor editor;
        const std::string a = editor.AddWithCovers("a.mp3", Qt::red);
        const std::string b = editor.AddWithCovers("b.mp3", Qt::blue);
        const std::string locked = editor.scratch.File("v24.mp3");
        Mp3Builder().Version(4).TextFrame("TIT2", "Four").Frame("SIGN", {1, 2}).WriteTo(locked);
        editor.List()->InsertItem(2, QString::fromStdString(locked));
        const Mp3Builder::Bytes lockedBefore = Mp3Builder::ReadFile(locked);
        std::string error;
        const std::vector<CoverPictures::Picture> aBefore = CoverPictures::Read(a, &error);
        QCOMPARE(aBefore.size(), std::size_t(2));

        editor.SelectAll();
        QVERIFY(editor.Cover()->ShowsDifferent());
        QCOMPARE(editor.Cover()->toolTip(), QStringLiteral("(3 different covers)"));
        QVERIFY(editor.MenuEnabled(ID_COVER_REPLACE));
        QVERIFY(editor.MenuEnabled(ID_COVER_REMOVE));
        QVERIFY(!editor.MenuEnabled(ID_COVER_SAVE_AS));
        QVERIFY(!editor.dlg.isWindowModified());

        // A replaced cover is an unsaved change of all three, which Undo takes back.
        const std::string chosen = editor.PictureFile("chosen.png", Qt::green);
        emit editor.Cover()->fileDropped(QString::fromStdString(chosen));
        QVERIFY(!editor.Cover()->ShowsDifferent());
        QVERIFY(editor.MenuEnabled(ID_COVER_SAVE_AS));
        QVERIFY(editor.dlg.isWindowModified());
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QVERIFY(editor.Cover()->ShowsDifferent());
        QVERIFY(!editor.dlg.isWindowModified());

        emit editor.Cover()->fileDropped(QString::fromStdString(chosen));
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.boxes.notices.size(), 1);
        QVERIFY2(editor.boxes.notices[0].startsWith("Saved 2 of 3 files. Not saved: \nv24.mp3: "),
                 qPrintable(editor.boxes.notices[0]));
        QCOMPARE(Mp3Builder::ReadFile(locked), lockedBefore);
        const Mp3Builder::Bytes chosenBytes = Mp3Builder::ReadFile(chosen);
        for (const std::string& path : {a, b}) {
            const std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(path, &error);
            QCOMPARE(pictures.size(), std::size_t(2));
            // The front cover as the file chosen, in the old one's place; the back cover as the
            // other program wrote it.
            QCOMPARE(pictures[0].type, 3);
            QCOMPARE(pictures[0].mime, std::string("image/png"));
            QCOMPARE(pictures[0].description, std::string());
            QCOMPARE(pictures[0].data, std::string(chosenBytes.begin(), chosenBytes.end()));
            QCOMPARE(pictures[1], aBefore[1]);
        }
        // The protected file, without a cover, still differs from the two.
        QCOMPARE(editor.Cover()->toolTip(), QStringLiteral("(2 different covers)"));
        QVERIFY(!editor.dlg.isWindowModified());

        // Removed, each file's front cover goes, and only that.
        editor.dlg.OnCommand(ID_COVER_REMOVE);
        QVERIFY(editor.dlg.isWindowModified());
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        for (const std::string& path : {a, b})
            QCOMPARE(CoverPictures::Read(path, &error), std::vector({aBefore[1]}));
        // Each now shows its back cover, the first picture it holds; the protected file none.
        QCOMPARE(editor.Cover()->toolTip(), QStringLiteral("(2 different covers)"));
        QVERIFY(!editor.dlg.isWindowModified());
    }

    void theTagColumnsFillAsRowsArriveSortAsNumbersAndFollowASave() {
        Editor editor;
        for (const auto& [name, track] :
             {std::pair{"a.mp3", "10/12"}, std::pair{"b.mp3", "9/12"}, std::pair{"c.mp3", "2"}}) {
            const std::string path = editor.scratch.File(name);
            Mp3Builder()
                .TextFrame("TIT2", name)
                .TextFrame("TRCK", track)
                .TextFrame("TYER", "1999")
                .TextFrame("TCON", "(17)")
                .WriteTo(path);
            editor.List()->InsertItem(editor.List()->GetItemCount(), QString::fromStdString(path));
        }
        QAbstractItemModel* model = editor.List()->model();
        QStringList headings;
        for (int column = 0; column < model->columnCount(); ++column)
            headings << model->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headings, QStringList({"Files to edit", "Title", "Artist", "Album", "Track",
                                        "Year", "Genre"}));
        QTRY_VERIFY(!editor.List()->IsReadingTagColumns());
        QCOMPARE(editor.List()->GetItemText(0, 1), QStringLiteral("a.mp3"));
        QCOMPARE(editor.List()->GetItemText(1, 4), QStringLiteral("9/12"));
        QCOMPARE(editor.List()->GetItemText(2, 5), QStringLiteral("1999"));
        QCOMPARE(editor.List()->GetItemText(2, 6), QStringLiteral("Rock"));

        editor.List()->SortByHeaderClick(4);
        QCOMPARE(editor.List()->GetItemText(0, 4), QStringLiteral("2"));
        QCOMPARE(editor.List()->GetItemText(2, 4), QStringLiteral("10/12"));

        editor.SelectAll();
        editor.Edit("IDC_ALBUM")->setText(QStringLiteral("Together"));
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QTRY_COMPARE(editor.List()->GetItemText(0, 3), QStringLiteral("Together"));
        QTRY_COMPARE(editor.List()->GetItemText(2, 3), QStringLiteral("Together"));
    }

    void leavingOrClosingWithTypedValuesAsksAboutTheWholeSelection() {
        Editor editor;
        editor.Add("a.mp3", "One", "Old", 17);
        editor.Add("b.mp3", "Two", "Old", 17);
        const std::string c = editor.Add("c.mp3", "Three", "Old", 17);
        editor.SelectAll();
        editor.Edit("IDC_ALBUM")->setText(QStringLiteral("New"));

        editor.boxes.threeWayAnswer = Answer::Cancel;
        editor.List()->setFocus();
        QTest::keyClick(editor.List(), Qt::Key_Up);
        QCOMPARE(editor.boxes.questions,
                 QStringList({"Would you like to save the changes to the 3 selected files before "
                              "editing other files?"}));
        QCOMPARE(editor.Edit("IDC_ALBUM")->text(), QStringLiteral("New"));

        QVERIFY(!editor.dlg.close());
        QCOMPARE(editor.boxes.questions.last(),
                 QStringLiteral("Would you like to save the changes to the 3 selected files "
                                "before closing the editor?"));
        editor.boxes.threeWayAnswer = Answer::Yes;
        QVERIFY(editor.dlg.close());
        QCOMPARE(FieldsIn(c).album, std::string("New"));
    }

    void aFileTakenOutOfTheSelectionIsNeverSavedInto() {
        Editor editor;
        const std::string a = editor.Add("a.mp3", "One", "Old", 17);
        const std::string b = editor.Add("b.mp3", "Two", "Old", 17);
        editor.Add("c.mp3", "Three", "Old", 17);
        editor.SelectAll();
        editor.Edit("IDC_ALBUM")->setText(QStringLiteral("New"));
        // The Delete key asks first; No lets the edits go with the first selected row.
        editor.boxes.threeWayAnswer = Answer::No;
        QTest::keyClick(editor.List(), Qt::Key_Delete);
        QCOMPARE(editor.boxes.questions,
                 QStringList({"Would you like to save the changes to the 3 selected files before "
                              "removing files from the list?"}));
        QCOMPARE(editor.List()->GetItemCount(), 2);
        QCOMPARE(editor.Edit("IDC_ALBUM")->text(), QString());
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(FieldsIn(a).album, std::string("Old"));
        QCOMPARE(FieldsIn(b).album, std::string("Old"));
    }
};

QTEST_MAIN(ManyFilesDlgTest)
#include "ManyFilesDlgTest.moc"
