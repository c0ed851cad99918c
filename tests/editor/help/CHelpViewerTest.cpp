#include "CHelpViewer.h"
#include "CChmBrowser.h"
#include "HelpPageStyle.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

namespace {

const QString kHelpFile = QStringLiteral(TAGEDITOR_HELP_FILE);

QString IndexLocation(const QString& archive) {
    return archive + QStringLiteral("::/index.html");
}

} // namespace

class CHelpViewerTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheFirstPageOfTheBuiltHelpFile() {
        CHelpViewer viewer;
        viewer.Open(IndexLocation(kHelpFile));

        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.Browser()->documentTitle(), QStringLiteral("Varlen MP3 Tag Editor Help"));
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("Adding and removing")));
    }

    void followsLinksInsideTheArchiveAndBack() {
        CHelpViewer viewer;
        viewer.Open(IndexLocation(kHelpFile));
        CChmBrowser* browser = viewer.Browser();

        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Tab); // the first link: adding files
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(browser->source(), CChmBrowser::PageUrl(QStringLiteral("/adding.html")));
        QCOMPARE(browser->documentTitle(), QStringLiteral("Adding and removing files"));

        browser->backward();
        QCOMPARE(browser->source(), CChmBrowser::PageUrl(QStringLiteral("/index.html")));
    }

    void appliesTheStyleSheetFromTheArchive() {
        CChmBrowser browser;
        browser.Open(kHelpFile, QStringLiteral("/index.html"));
        const QTextBlock heading = browser.document()->firstBlock();
        QCOMPARE(heading.text(), QStringLiteral("Varlen MP3 Tag Editor"));
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0x15, 0x5e, 0x75));
    }

    void followsADarkPaletteAndBackInItsColours() {
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        CHelpViewer viewer;
        const QPalette light = viewer.palette();
        viewer.setPalette(dark);
        viewer.Open(IndexLocation(kHelpFile));
        CChmBrowser* browser = viewer.Browser();
        QCOMPARE(browser->palette().color(QPalette::Base), QColor(30, 30, 30));
        const QTextBlock heading = browser->document()->firstBlock();
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0x6c, 0xc3, 0xd5));
        QCOMPARE(heading.next().charFormat().foreground().color(), QColor(230, 230, 230));

        viewer.setPalette(light);
        QCOMPARE(browser->document()->firstBlock().charFormat().foreground().color(),
                 QColor(0x15, 0x5e, 0x75));
    }

    void onlyADarkPaletteChangesThePagesColours() {
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(20, 20, 20));
        dark.setColor(QPalette::Text, QColor(240, 240, 240));
        QVERIFY(HelpPageStyle::IsDark(dark));
        QVERIFY(HelpPageStyle::Overrides(dark).contains("body { color: #f0f0f0; }"));
        QPalette light;
        light.setColor(QPalette::Base, Qt::white);
        light.setColor(QPalette::Text, Qt::black);
        QVERIFY(!HelpPageStyle::IsDark(light));
        QVERIFY(HelpPageStyle::Overrides(light).isEmpty());
    }

    void saysSoWhenTheHelpFileIsMissing() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("quillet.chm"));
        CHelpViewer viewer;
        viewer.Open(IndexLocation(missing));

        const QString text = viewer.Browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Help is not available")));
        QVERIFY(text.contains(missing));
    }

    void saysSoWhenThePageIsMissing() {
        CHelpViewer viewer;
        viewer.Open(kHelpFile + QStringLiteral("::/nowhere.html"));

        const QString text = viewer.Browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Page not found")));
        QVERIFY(text.contains(QStringLiteral("/nowhere.html")));
    }

    void showsThePageAgainOnceTheHelpFileIsBack() {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("quillet.chm"));
        CHelpViewer viewer;
        QVERIFY(QFile::copy(kHelpFile, copy));
        viewer.Open(IndexLocation(copy));
        QVERIFY(QFile::remove(copy));
        viewer.Open(IndexLocation(dir.filePath(QStringLiteral("other/quillet.chm"))));
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("Help is not available")));

        QVERIFY(QFile::copy(kHelpFile, copy));
        viewer.Open(IndexLocation(copy));
        QCOMPARE(viewer.Browser()->documentTitle(), QStringLiteral("Varlen MP3 Tag Editor Help"));
    }
};

QTEST_MAIN(CHelpViewerTest)
#include "CHelpViewerTest.moc"
