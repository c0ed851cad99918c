// The cover in the window: shown beside the fields, replaced from a file or by a drop, removed,
// saved as a file; a change to it is an unsaved change that Undo and Save settle.
#include "CCoverView.h"
#include "CDialogUnits.h"
#include "CFileListCtrl.h"
#include "CTagEditorDlg.h"
#include "CoverPictures.h"
#include "EditorIds.h"
#include "EditorLayout.h"
#include "FakeMessageBoxes.h"
#include "IFileChooser.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <QBuffer>
#include <QImage>
#include <QMenuBar>
#include <QMimeData>
#include <QtTest>

#include <filesystem>

using namespace EditorIds;

namespace {

// Hands the cover commands the files a user would choose, and remembers what they suggested.
class FakeChooser : public IFileChooser {
public:
    QString open;
    QString save;
    int asked = 0;
    QString suggested;

    QStringList ChooseFiles(QWidget*, const QString&, const QString&) override { return {}; }
    QString ChooseFolder(QWidget*, const QString&) override { return {}; }
    QString ChooseFile(QWidget*, const QString&, const QString&) override {
        ++asked;
        return open;
    }
    QString ChooseSaveFile(QWidget*, const QString&, const QString& suggestion) override {
        ++asked;
        suggested = suggestion;
        return save;
    }
};

std::string Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

// A real picture of WIDTH x HEIGHT, one the window can decode.
std::string Picture(int width, int height, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 90, 30));
    return Encoded(image, format);
}

Mp3Builder::Bytes ApicBody(const std::string& mime, int type, const std::string& data) {
    Mp3Builder::Bytes body = {0x00};
    body.insert(body.end(), mime.begin(), mime.end());
    body.insert(body.end(), {0x00, static_cast<std::uint8_t>(type), 0x00});
    body.insert(body.end(), data.begin(), data.end());
    return body;
}

struct Editor {
    FakeMessageBoxes boxes;
    FakeChooser chooser;
    CTagEditorDlg dlg{boxes};
    ScratchDir scratch;
    const std::string png = Picture(40, 30, "PNG");

    Editor() { dlg.SetFileChooser(&chooser); }

    CCoverView* Cover() { return dlg.findChild<CCoverView*>(QStringLiteral("IDC_COVER")); }
    CFileListCtrl* List() { return dlg.findChild<CFileListCtrl*>(QStringLiteral("IDC_FILE_LIST")); }

    std::string Add(const std::string& name, const Mp3Builder& mp3) {
        const std::string path = scratch.File(name);
        mp3.WriteTo(path);
        List()->InsertItem(List()->GetItemCount(), QString::fromStdString(path));
        return path;
    }
    // a.mp3 with a front cover, b.mp3 without; a.mp3 shown.
    std::string AddTwoAndShowFirst() {
        const std::string path =
            Add("a.mp3",
                Mp3Builder().TextFrame("TIT2", "A").Frame("APIC", ApicBody("image/png", 3, png)));
        Add("b.mp3", Mp3Builder().TextFrame("TIT2", "B"));
        List()->SetItemSelectedFocused(0);
        return path;
    }
    QString WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = scratch.File(name);
        Mp3Builder::WriteFile(path, Mp3Builder::Bytes(bytes.begin(), bytes.end()));
        return QString::fromStdString(path);
    }
    std::string CoverBytes() {
        return Cover()->Cover() ? std::string(Cover()->Cover()->Bytes()) : "<none>";
    }
    QAction* MenuAction(int id) {
        for (QAction* action : dlg.findChild<QMenuBar*>()->findChildren<QAction*>())
            if (action->data().toInt() == id)
                return action;
        return nullptr;
    }
    // Whether closing the window asks about unsaved changes; the question is cancelled.
    bool AsksBeforeLeaving() {
        boxes.threeWayAnswer = IMessageBoxes::Answer::Cancel;
        const int before = boxes.questions.size();
        dlg.close();
        return boxes.questions.size() > before;
    }
};

} // namespace

class CoverCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheFrontCoverInASquareBesideTheFields() {
        Editor editor;
        const CDialogUnits units(editor.dlg.font());
        const QRect room = units.ToPixels(EditorLayout::kCover);
        const QRect square = editor.Cover()->geometry();
        QCOMPARE(square.width(), square.height());
        QVERIFY(room.contains(square));
        QVERIFY(square.right() == room.right() && square.top() == room.top());
        QVERIFY(editor.Cover()->geometry().left() >
                editor.dlg.findChild<QWidget*>(QStringLiteral("IDC_TITLE"))->geometry().right());

        editor.AddTwoAndShowFirst();
        QCOMPARE(editor.CoverBytes(), editor.png);
        QCOMPARE(editor.Cover()->toolTip(),
                 QStringLiteral("Cover (front)\nimage/png\n40 × 30 pixels\n%1 bytes")
                     .arg(editor.png.size()));
        QVERIFY(editor.MenuAction(ID_COVER_REMOVE)->isEnabled());
        QVERIFY(editor.MenuAction(ID_COVER_SAVE_AS)->isEnabled());
        editor.List()->SetItemSelectedFocused(1);
        QCOMPARE(editor.CoverBytes(), std::string("<none>"));
        QCOMPARE(editor.Cover()->toolTip(), QString());
        QVERIFY(editor.MenuAction(ID_COVER_REPLACE)->isEnabled());
        QVERIFY(!editor.MenuAction(ID_COVER_REMOVE)->isEnabled());
        QVERIFY(!editor.MenuAction(ID_COVER_SAVE_AS)->isEnabled());
        QVERIFY(editor.boxes.Silent());
    }

    void aReplacedCoverIsAnUnsavedChangeThatUndoAndSaveSettle() {
        Editor editor;
        const std::string path = editor.AddTwoAndShowFirst();
        const std::string jpeg = Picture(64, 64, "JPEG");
        editor.chooser.open = editor.WriteFile("new.jpg", jpeg);
        editor.dlg.OnCommand(ID_COVER_REPLACE);
        QCOMPARE(editor.CoverBytes(), jpeg);
        QVERIFY(editor.dlg.isWindowModified());
        QVERIFY(editor.AsksBeforeLeaving());

        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QCOMPARE(editor.CoverBytes(), editor.png);
        QVERIFY(!editor.dlg.isWindowModified());
        QVERIFY(!editor.AsksBeforeLeaving());

        editor.dlg.OnCommand(ID_COVER_REPLACE);
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QVERIFY(!editor.AsksBeforeLeaving());
        std::string error;
        const std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(path, &error);
        QCOMPARE(error, std::string());
        QCOMPARE(pictures.size(), std::size_t(1));
        QCOMPARE(pictures[0].data, jpeg);
        QCOMPARE(pictures[0].mime, std::string("image/jpeg"));
        QCOMPARE(pictures[0].type, 3);
        QVERIFY(editor.boxes.notices.isEmpty());
    }

    void refusesWhatCannotBeTheCoverNamingTheFile() {
        Editor editor;
        editor.AddTwoAndShowFirst();
        const std::string jpeg = Picture(64, 64, "JPEG");
        const struct {
            QString file;
            QString reason;
        } refused[] = {
            {editor.WriteFile("cover.gif", "GIF89a\x08\x00\x08\x00"),
             QStringLiteral("It is not a JPEG or PNG picture that can be read.")},
            // A sound header and nothing after it: no reader can show it.
            {editor.WriteFile("cut.jpg", jpeg.substr(0, jpeg.find("\xFF\xDA"))),
             QStringLiteral("It is not a JPEG or PNG picture that can be read.")},
            {QString::fromStdString(editor.scratch.File("missing.png")),
             QStringLiteral("No such file or directory")},
        };
        for (const auto& [file, reason] : refused) {
            editor.boxes.notices.clear();
            editor.chooser.open = file;
            editor.dlg.OnCommand(ID_COVER_REPLACE);
            QCOMPARE(
                editor.boxes.notices,
                QStringList(QStringLiteral("%1 cannot be the cover.\n\n%2").arg(file, reason)));
            QCOMPARE(editor.CoverBytes(), editor.png);
            QVERIFY(!editor.AsksBeforeLeaving());
        }
    }

    void anImageFileDroppedOnTheCoverReplacesIt() {
        Editor editor;
        editor.AddTwoAndShowFirst();
        const std::string png = Picture(20, 20, "PNG");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(editor.WriteFile("dropped.png", png))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(editor.Cover(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(editor.Cover(), &drop);
        QCOMPARE(editor.CoverBytes(), png);
        QVERIFY(editor.AsksBeforeLeaving());

        // Two files at once, or a drop with no file shown, are not taken.
        data.setUrls({QUrl::fromLocalFile(editor.WriteFile("x.png", png)),
                      QUrl::fromLocalFile(editor.WriteFile("y.png", png))});
        QDragEnterEvent two(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(editor.Cover(), &two);
        QVERIFY(!two.isAccepted());
    }

    void removeAndSaveCoverAsTouchOnlyTheShownCover() {
        Editor editor;
        editor.AddTwoAndShowFirst();
        const QString out = QString::fromStdString(editor.scratch.File("saved.png"));
        editor.chooser.save = out;
        editor.dlg.OnCommand(ID_COVER_SAVE_AS);
        QVERIFY(editor.chooser.suggested.endsWith(QStringLiteral("/a.png")));
        QCOMPARE(Mp3Builder::ReadFile(out.toStdString()),
                 Mp3Builder::Bytes(editor.png.begin(), editor.png.end()));

        editor.Cover()->setFocus();
        QTest::keyClick(editor.Cover(), Qt::Key_Delete);
        QCOMPARE(editor.CoverBytes(), std::string("<none>"));
        QVERIFY(editor.AsksBeforeLeaving());
        editor.dlg.OnCommand(ID_ACTION_UNDO);
        QCOMPARE(editor.CoverBytes(), editor.png);

        // A folder that cannot be written to is told, and nothing is left there.
        editor.chooser.save = QString::fromStdString(editor.scratch.File("no/such/folder.png"));
        editor.dlg.OnCommand(ID_COVER_SAVE_AS);
        QCOMPARE(editor.boxes.notices.size(), 1);
        QVERIFY(editor.boxes.notices[0].startsWith(
            QStringLiteral("The cover could not be saved to %1.\n\n").arg(editor.chooser.save)));
    }

    // Once the shown cover is saved away, the form shows the picture the file shows now: a
    // form still showing "no cover" would count as a change, and the next Save would take
    // that picture too.
    void aSavedRemovalShowsThePictureLeftBehind() {
        Editor editor;
        const std::string back = Picture(10, 10, "PNG");
        const std::string path =
            editor.Add("a.mp3", Mp3Builder()
                                    .Frame("APIC", ApicBody("image/png", 3, editor.png))
                                    .Frame("APIC", ApicBody("image/png", 4, back)));
        editor.List()->SetItemSelectedFocused(0);
        editor.dlg.OnCommand(ID_COVER_REMOVE);
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        QCOMPARE(editor.CoverBytes(), back);
        QVERIFY(!editor.dlg.isWindowModified());
        editor.dlg.OnCommand(ID_FILE_SAVE_FILE);
        std::string error;
        const std::vector<CoverPictures::Picture> pictures = CoverPictures::Read(path, &error);
        QCOMPARE(pictures.size(), std::size_t(1));
        QCOMPARE(pictures[0].data, back);
    }

    void noCoverEditsWithoutAFileOrForAProtectedOne() {
        Editor editor;
        editor.dlg.OnCommand(ID_COVER_REPLACE);
        QCOMPARE(editor.chooser.asked, 0);
        // An encrypted frame: the file cannot be saved, so its cover cannot change either.
        editor.Add("locked.mp3", Mp3Builder()
                                     .Frame("APIC", ApicBody("image/png", 3, editor.png))
                                     .Frame("TIT2", {0x01, 0x00, 0x00}, 0x0040));
        editor.List()->SetItemSelectedFocused(0);
        editor.dlg.OnCommand(ID_COVER_REPLACE);
        editor.dlg.OnCommand(ID_COVER_REMOVE);
        QCOMPARE(editor.chooser.asked, 0);
        QVERIFY(!editor.MenuAction(ID_COVER_REPLACE)->isEnabled());
        QVERIFY(!editor.Cover()->IsEditable());
    }
};

QTEST_MAIN(CoverCommandsTest)
#include "CoverCommandsTest.moc"
