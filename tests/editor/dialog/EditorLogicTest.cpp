#include "CFieldValidator.h"
#include "CoverDescription.h"
#include "HelpLocation.h"
#include "MenuShortcut.h"

#include <QtTest>

class EditorLogicTest : public QObject {
    Q_OBJECT
private slots:
    void aMenuKeyIsThePlatformsOrTheUsualOneWhereItHasNone() {
        using MenuShortcut::For;
        const QKeySequence platformQuit(Qt::CTRL | Qt::SHIFT | Qt::Key_Q);
        QCOMPARE(For(QKeySequence::Quit, {platformQuit}), platformQuit);
        QCOMPARE(For(QKeySequence::Quit, {}), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(For(QKeySequence::Quit, {QKeySequence()}), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(For(QKeySequence::HelpContents, {}), QKeySequence(Qt::Key_F1));
        for (QKeySequence::StandardKey key :
             {QKeySequence::New, QKeySequence::Open, QKeySequence::Save, QKeySequence::Undo})
            QVERIFY(!For(key, {}).isEmpty());
        // A key no menu shows gets none made up for it.
        QVERIFY(For(QKeySequence::Print, {}).isEmpty());
    }

    void validatorHoldsTypingToTheCap() {
        CFieldValidator validator(4);
        int pos = 0;
        QString text = QStringLiteral("1999");
        QCOMPARE(validator.validate(text, pos), QValidator::Acceptable);
        text = QStringLiteral("19999");
        QCOMPARE(validator.validate(text, pos), QValidator::Invalid);
        text.clear();
        QCOMPARE(validator.validate(text, pos), QValidator::Acceptable);
    }

    void validatorKeepsALongProgramTextButNeverLetsItGrow() {
        CFieldValidator validator(30);
        QString text(45, QLatin1Char('x'));
        validator.AllowProgramText(text);
        int pos = 0;
        QCOMPARE(validator.validate(text, pos), QValidator::Acceptable);
        QString shorter(10, QLatin1Char('x'));
        QCOMPARE(validator.validate(shorter, pos), QValidator::Acceptable);
        QString longer(46, QLatin1Char('x'));
        QCOMPARE(validator.validate(longer, pos), QValidator::Invalid);
        // The next text from the program brings the cap back.
        validator.AllowProgramText(QString());
        QString overCap(31, QLatin1Char('x'));
        QCOMPARE(validator.validate(overCap, pos), QValidator::Invalid);
    }

    void validatorTakesEveryScriptAndCountsCharacters() {
        CFieldValidator validator(4);
        int pos = 0;
        for (const QString& taken :
             {QStringLiteral("Caf\u00e9"), QStringLiteral("5 \u20ac"),
              QStringLiteral("\u0141\u00f3d\u017a"), QStringLiteral("\u6771\u4eac"),
              QString::fromUtf8(
                  "\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5\xf0\x9f\x8e\xb5")}) {
            QString text = taken;
            QCOMPARE(validator.validate(text, pos), QValidator::Acceptable);
        }
        QString fiveEmoji = QString::fromUtf8("\xf0\x9f\x8e\xb5").repeated(5);
        QCOMPARE(validator.validate(fiveEmoji, pos), QValidator::Invalid);
        QCOMPARE(CFieldValidator::CharacterCount(fiveEmoji), 5);
    }

    void helpLocationIsTheExecutablesFolderAndThePage() {
        QCOMPARE(HelpLocation(QStringLiteral("/usr/bin/tageditor")),
                 QStringLiteral("/usr/bin/quillet.chm::/index.html"));
        QCOMPARE(HelpLocation(QStringLiteral("/opt/my tools/renamed.editor")),
                 QStringLiteral("/opt/my tools/quillet.chm::/index.html"));
        QCOMPARE(HelpLocation(QStringLiteral("/tageditor")),
                 QStringLiteral("/quillet.chm::/index.html"));
        QCOMPARE(HelpLocation(QStringLiteral("C:/Program Files/Tags/TagEditor.exe")),
                 QStringLiteral("C:/Program Files/Tags/quillet.chm::/index.html"));
    }

    void aSavedCoverIsNamedAfterItsContentAndItsTypeAfterId3() {
        QCOMPARE(CoverDescription::FileSuffix("image/jpeg"), QStringLiteral("jpg"));
        QCOMPARE(CoverDescription::FileSuffix("image/JPG"), QStringLiteral("jpg"));
        QCOMPARE(CoverDescription::FileSuffix("image/png"), QStringLiteral("png"));
        QCOMPARE(CoverDescription::FileSuffix("image/webp"), QStringLiteral("webp"));
        // Whatever a tag calls its picture, it never names folders or hidden suffixes.
        QCOMPARE(CoverDescription::FileSuffix("image/../../x"), QStringLiteral("bin"));
        QCOMPARE(CoverDescription::FileSuffix("-->"), QStringLiteral("bin"));
        QCOMPARE(CoverDescription::FileSuffix(""), QStringLiteral("bin"));
        QCOMPARE(CoverDescription::PictureTypeName(0), QStringLiteral("Other"));
        QCOMPARE(CoverDescription::PictureTypeName(20), QStringLiteral("Publisher logotype"));
        QCOMPARE(CoverDescription::PictureTypeName(21), QStringLiteral("Picture type 21"));
    }
};

QTEST_MAIN(EditorLogicTest)
#include "EditorLogicTest.moc"
