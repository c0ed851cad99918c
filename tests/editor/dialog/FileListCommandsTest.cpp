#include "CFileListCtrl.h"
#include "CTagEditorDlg.h"
#include "EditorIds.h"
#include "FakeFileIconSource.h"
#include "FakeMessageBoxes.h"
#include "FakeMp3Check.h"
#include "IFileChooser.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <filesystem>
#include <fstream>

using namespace EditorIds;

namespace {

// Hands Add File a set of files and remembers how the dialog was asked for.
class FakeFileChooser : public IFileChooser {
public:
    QStringList files;
    QStringList titles;
    QStringList filters;

    QString folder;

    QStringList ChooseFiles(QWidget*, const QString& title, const QString& filter) override {
        titles << title;
        filters << filter;
        return files;
    }
    QString ChooseFolder(QWidget*, const QString& title) override {
        titles << title;
        return folder;
    }
    QString ChooseFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
};

struct Editor {
    FakeMessageBoxes boxes;
    FakeFileChooser chooser;
    FakeFileIconSource icons;
    FakeMp3Check mp3s;
    CTagEditorDlg dlg{boxes};
    ScratchDir scratch;

    Editor() {
        dlg.SetFileChooser(&chooser);
        List()->SetIconSource(&icons);
        List()->SetMp3Check(&mp3s);
    }

    CFileListCtrl* List() { return dlg.findChild<CFileListCtrl*>("IDC_FILE_LIST"); }
    QLineEdit* Title() { return dlg.findChild<QLineEdit*>("IDC_TITLE"); }
    QComboBox* Genre() { return dlg.findChild<QComboBox*>("IDC_GENRE"); }

    QString WriteMp3(const std::string& name, const std::string& title) {
        const std::string path = scratch.File(name);
        Mp3Builder().TextFrame("TIT2", title).TextFrame("TCON", "(17)").WriteTo(path);
        return QString::fromStdString(path);
    }

    // Adds two files through Add File and shows the first one in the form.
    void AddTwoAndSelectFirst() {
        chooser.files = {WriteMp3("a.mp3", "Alpha"), WriteMp3("b.mp3", "Beta")};
        dlg.OnCommand(ID_FILE_ADD_FILE);
        List()->SetItemSelectedFocused(0);
        QCOMPARE(Title()->text(), QStringLiteral("Alpha"));
    }
};

} // namespace

class FileListCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void addFileAsksForSeveralMp3FilesAndAppendsThem() {
        Editor editor;
        editor.AddTwoAndSelectFirst();
        QCOMPARE(editor.chooser.titles, QStringList({"Add Files to Edit"}));
        QCOMPARE(editor.chooser.filters, QStringList({"MP3 Files (*.mp3)"}));
        QCOMPARE(editor.List()->GetItemCount(), 2);
        QCOMPARE(editor.List()->GetItemText(1), editor.chooser.files[1]);

        editor.chooser.files.clear(); // cancelled
        editor.dlg.OnCommand(ID_FILE_ADD_FILE);
        QCOMPARE(editor.List()->GetItemCount(), 2);
        QVERIFY(editor.boxes.Silent());
    }

    void addFileStopsAtTheCapacityWithTheApplicationNotice() {
        Editor editor;
        QStringList many;
        for (int i = 0; i < 503; ++i)
            many << QString("/music/%1.mp3").arg(i);
        editor.chooser.files = many;
        editor.dlg.OnCommand(ID_FILE_ADD_FILE);
        QCOMPARE(editor.List()->GetItemCount(), 501);
        QCOMPARE(editor.boxes.appMessages.size(), 1);
        QVERIFY(editor.boxes.appMessages[0].startsWith("This version does not allow joining"));
    }

    void addFolderAddsTheMp3sBelowItInPathOrderUnderTheDialogsRule() {
        Editor editor;
        for (const char* name :
             {"Album/CD2/01.mp3", "Album/02.mp3", "Album/01.mp3", "Album/CD1/09.mp3"}) {
            std::filesystem::create_directories(
                std::filesystem::path(editor.scratch.File(name)).parent_path());
            editor.WriteMp3(name, name);
        }
        // A folder's other files are passed over without a word (the test's check refuses names
        // with "notmp3" in them).
        std::ofstream(editor.scratch.File("Album/notmp3 cover.jpg")) << "a picture";
        editor.chooser.folder = QString::fromStdString(editor.scratch.File("Album"));
        editor.dlg.OnCommand(ID_FILE_ADD_FOLDER);
        QCOMPARE(editor.chooser.titles, QStringList({"Add Folder to Edit"}));
        QStringList names;
        for (int row = 0; row < editor.List()->GetItemCount(); ++row)
            names << editor.List()->GetItemText(row).mid(editor.chooser.folder.size() + 1);
        QCOMPARE(names, QStringList({"01.mp3", "02.mp3", "CD1/09.mp3", "CD2/01.mp3"}));
        QVERIFY(editor.boxes.Silent());

        // Into a list of 498 rows the dialog's rule takes the first file, then stops after the
        // one that passes 500: three of the four, and the notice.
        editor.dlg.OnCommand(ID_FILE_NEW_LIST);
        for (int i = 0; i < 498; ++i)
            editor.List()->InsertItem(i, QString("/music/%1.mp3").arg(i));
        editor.dlg.OnCommand(ID_FILE_ADD_FOLDER);
        QCOMPARE(editor.List()->GetItemCount(), 501);
        QCOMPARE(editor.boxes.appMessages.size(), 1);
        editor.chooser.folder.clear(); // cancelled
        editor.dlg.OnCommand(ID_FILE_ADD_FOLDER);
        QCOMPARE(editor.List()->GetItemCount(), 501);
    }

    void removeWithoutASelectionAsksAndChangesNothing() {
        Editor editor;
        editor.AddTwoAndSelectFirst();
        editor.List()->clearSelection();
        editor.boxes.answer = true;
        editor.dlg.OnCommand(ID_FILE_REMOVE_FILE);
        QCOMPARE(editor.boxes.questions,
                 QStringList({"Would you like to remove selected files from the list?"}));
        QCOMPARE(editor.List()->GetItemCount(), 2);
        QCOMPARE(editor.Title()->text(), QStringLiteral("Alpha"));
        QCOMPARE(editor.Genre()->currentIndex(), 17);
    }

    void removeAnsweredNoKeepsRowAndForm() {
        Editor editor;
        editor.AddTwoAndSelectFirst();
        editor.boxes.answer = false;
        editor.dlg.OnCommand(ID_FILE_REMOVE_FILE);
        QCOMPARE(editor.List()->GetItemCount(), 2);
        QCOMPARE(editor.Title()->text(), QStringLiteral("Alpha"));
    }

    void deleteKeyClearsTheFormOfTheFileItTakesAway() {
        Editor editor;
        editor.AddTwoAndSelectFirst();
        editor.List()->setFocus();
        QTest::keyClick(editor.List(), Qt::Key_Delete);
        QCOMPARE(editor.List()->GetItemCount(), 1);
        QVERIFY(editor.Title()->text().isEmpty());
        QCOMPARE(editor.Genre()->currentIndex(), 80);
        QVERIFY(editor.boxes.Silent());
    }

    void newListAnsweredNoChangesNothing() {
        Editor editor;
        editor.AddTwoAndSelectFirst();
        editor.Title()->setText(QStringLiteral("Not saved yet"));
        editor.boxes.threeWayAnswer = IMessageBoxes::Answer::No; // drop the edit, then...
        editor.boxes.answer = false;                             // ...keep the list after all
        editor.dlg.OnCommand(ID_FILE_NEW_LIST);
        QCOMPARE(editor.List()->GetItemCount(), 2);
        QVERIFY(editor.List()->HasImageList());
        QCOMPARE(editor.Title()->text(), QStringLiteral("Not saved yet"));
        QCOMPARE(editor.Genre()->currentIndex(), 17);

        editor.boxes.answer = true;
        editor.dlg.OnCommand(ID_FILE_NEW_LIST);
        QCOMPARE(editor.List()->GetItemCount(), 0);
        QVERIFY(!editor.List()->HasImageList());
        QCOMPARE(editor.boxes.questions.size(), 4);

        editor.dlg.OnCommand(ID_FILE_NEW_LIST); // an empty list asks nothing
        QCOMPARE(editor.boxes.questions.size(), 4);
    }
};

QTEST_MAIN(FileListCommandsTest)
#include "FileListCommandsTest.moc"
