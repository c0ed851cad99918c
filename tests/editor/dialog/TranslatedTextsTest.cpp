#include "CAboutBox.h"
#include "CFileListCtrl.h"
#include "CLabelToolBar.h"
#include "CTagEditorDlg.h"
#include "EditorIds.h"
#include "FakeMessageBoxes.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTranslator>
#include <QtTest>

namespace {

// Puts every text of a few contexts in brackets, so a text the user is shown without going
// through the translation stands out in its own language.
class BracketTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        for (const char* translated : {"EditorTexts", "FileListTexts", "CommandStringTable",
                                       "CAboutBox", "RecoveryNotices", "CSystemMessageBoxes"}) {
            if (qstrcmp(context, translated) == 0)
                return QLatin1Char('[') + QString::fromUtf8(sourceText) + QLatin1Char(']');
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

QStringList LabelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

// Every text of the window is the source text of a translation: with one installed, nothing
// is left in the source language.
class TranslatedTextsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QCoreApplication::installTranslator(&m_translator); }
    void cleanup() { QCoreApplication::removeTranslator(&m_translator); }

    void theEditorWindowShowsItsTextsThroughTheTranslation() {
        FakeMessageBoxes boxes;
        CTagEditorDlg dlg(boxes);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("[Varlen MP3 Tag Editor][*]"));
        const QStringList labels = LabelTexts(dlg);
        for (const char* text : {"[Title:]", "[Comments:]",
                                 "[Drag and drop MP3 files from your file manager or click Add "
                                 "Files button]"})
            QVERIFY2(labels.contains(QString::fromLatin1(text)), text);

        QStringList menus;
        for (const QAction* menu : dlg.findChild<QMenuBar*>()->actions()) {
            menus << menu->text();
            for (const QAction* item : menu->menu()->actions())
                menus << item->text();
        }
        for (const char* text : {"[&File]", "[&Save File]", "[&Undo]", "[&About...]"})
            QVERIFY2(menus.contains(QString::fromLatin1(text)), text);

        const auto* list = dlg.findChild<CFileListCtrl*>(QStringLiteral("IDC_FILE_LIST"));
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("[Files to edit]"));

        QStringList toolLabels;
        for (const QAction* action : dlg.findChild<CLabelToolBar*>()->actions())
            toolLabels << action->iconText();
        QVERIFY2(toolLabels.contains(QStringLiteral("Save File]")),
                 qPrintable(toolLabels.join('|')));

        dlg.OnCommand(EditorIds::ID_POPUP_PLAY);
        QCOMPARE(boxes.notices.value(0), QStringLiteral("[There are no files to play!]"));
    }

    void theAboutBoxShowsItsTextsThroughTheTranslation() {
        CAboutBox about;
        QCOMPARE(about.windowTitle(), QStringLiteral("[About Varlen MP3 Tag Editor]"));
        const QStringList labels = LabelTexts(about);
        QVERIFY2(labels.contains(QStringLiteral("[Made by Melvora]")),
                 qPrintable(labels.join('|')));
        QVERIFY2(labels.contains(QString::fromUtf8(u8"[Copyright \u00a9 2025\u20132026 Melvora]")),
                 qPrintable(labels.join('|')));
        QVERIFY2(labels.filter(QStringLiteral("[Varlen MP3 Tag Editor Version ")).size() == 1,
                 qPrintable(labels.join('|')));
    }

private:
    BracketTranslator m_translator;
};

QTEST_MAIN(TranslatedTextsTest)
#include "TranslatedTextsTest.moc"
