#include "CAboutBox.h"
#include "CChmBrowser.h"
#include "CHelpViewer.h"
#include "CTagEditorDlg.h"
#include "EditorIds.h"
#include "FakeMessageBoxes.h"

#include <QtTest>

// The build puts a copy of the help file beside this test, as it does beside the editor.
class HelpAndAboutCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void helpContentsShowsTheFirstPageOfTheHelpFileBesideTheProgram() {
        FakeMessageBoxes boxes;
        CTagEditorDlg dlg(boxes);

        dlg.OnCommand(EditorIds::ID_HELP_CONTENTS);

        auto* viewer = dlg.findChild<CHelpViewer*>();
        QVERIFY(viewer != nullptr);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->Browser()->source(), CChmBrowser::PageUrl(QStringLiteral("/index.html")));
        QCOMPARE(viewer->Browser()->documentTitle(), QStringLiteral("Varlen MP3 Tag Editor Help"));
        QVERIFY(boxes.Silent());
    }

    void helpContentsAgainReusesTheOneHelpWindow() {
        FakeMessageBoxes boxes;
        CTagEditorDlg dlg(boxes);

        dlg.OnCommand(EditorIds::ID_HELP_CONTENTS);
        dlg.findChild<CHelpViewer*>()->close();
        dlg.OnCommand(EditorIds::ID_HELP_CONTENTS);

        const auto viewers = dlg.findChildren<CHelpViewer*>();
        QCOMPARE(viewers.size(), 1);
        QVERIFY(viewers.first()->isVisible());
    }

    void aboutShowsTheAboutBoxModallyOverTheWindow() {
        FakeMessageBoxes boxes;
        CTagEditorDlg dlg(boxes);
        dlg.show();
        QString caption;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, &dlg, [&] {
            auto* box = qobject_cast<CAboutBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            caption = box->windowTitle();
            owner = box->parentWidget();
            box->accept();
        });

        dlg.OnCommand(EditorIds::ID_HELP_ABOUT);

        QCOMPARE(caption, QStringLiteral("About Varlen MP3 Tag Editor"));
        QCOMPARE(owner, &dlg);
        QVERIFY(dlg.findChild<CAboutBox*>() == nullptr);
    }

    void theWindowCarriesTheIconAtTheLargeAndSmallSizes() {
        FakeMessageBoxes boxes;
        const CTagEditorDlg dlg(boxes);

        const QList<QSize> sizes = dlg.windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
    }
};

QTEST_MAIN(HelpAndAboutCommandsTest)
#include "HelpAndAboutCommandsTest.moc"
