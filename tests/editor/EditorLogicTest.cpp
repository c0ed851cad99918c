#include "CDialogUnits.h"
#include "CFieldValidator.h"
#include "HelpLocation.h"
#include "PathElision.h"

#include <QFont>
#include <QFontMetrics>
#include <QtTest>

class EditorLogicTest : public QObject {
    Q_OBJECT
private slots:
    void dialogUnitsConvertEdgesWithRounding() {
        const CDialogUnits units(6, 13); // the classic 8-point dialog font
        QCOMPARE(units.ToPixels(QRect(5, 37, 198, 154)), QRect(8, 60, 297, 250));
        QCOMPARE(units.ToPixels(QSize(430, 222)), QSize(645, 361));
        // Neighbours in units stay neighbours in pixels, whatever the rounding of each size.
        const QRect left = units.ToPixels(QRect(1, 1, 3, 3));
        const QRect right = units.ToPixels(QRect(4, 4, 3, 3));
        QCOMPARE(left.right() + 1, right.left());
        QCOMPARE(left.bottom() + 1, right.top());
    }

    void dialogUnitsFollowTheFont() {
        QFont small = QGuiApplication::font();
        small.setPointSize(8);
        QFont large = small;
        large.setPointSize(16);
        const CDialogUnits smallUnits(small);
        const CDialogUnits largeUnits(large);
        QCOMPARE(smallUnits.BaseY(), QFontMetrics(small).height());
        QVERIFY(largeUnits.BaseX() > smallUnits.BaseX());
        QVERIFY(largeUnits.BaseY() > smallUnits.BaseY());
        const int alphabet = QFontMetrics(small).horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        QVERIFY(qAbs(smallUnits.BaseX() * 52 - alphabet) <= 26);
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

    void aPathThatFitsIsShownWhole() {
        const QFontMetrics metrics(QGuiApplication::font());
        const QString path = QStringLiteral("/music/a.mp3");
        QCOMPARE(PathElision::Elide(path, metrics, metrics.horizontalAdvance(path)), path);
    }

    void aLongPathGivesUpTheMiddleOfItsFolderFirst() {
        const QFontMetrics metrics(QGuiApplication::font());
        const QString name = QStringLiteral("07 - The Name Of The Song.mp3");
        const QString path = QStringLiteral("/home/someone/Music/Artists/A Long Band Name/"
                                            "The Album With A Long Title (Deluxe)/") +
                             name;
        for (int width :
             {metrics.horizontalAdvance(name) + 60, metrics.horizontalAdvance(path) - 1}) {
            const QString shown = PathElision::Elide(path, metrics, width);
            QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
            QVERIFY2(shown.endsWith(QLatin1Char('/') + name), qPrintable(shown));
            QVERIFY2(shown.startsWith(QStringLiteral("/h")), qPrintable(shown));
            QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
        }
    }

    void aNameTooLongForTheColumnLosesItsMiddleToo() {
        const QFontMetrics metrics(QGuiApplication::font());
        const QString path = QStringLiteral("/music/A very long file name indeed.mp3");
        const int width = metrics.horizontalAdvance(QStringLiteral("A very long fi"));
        const QString shown = PathElision::Elide(path, metrics, width);
        QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
        QVERIFY2(shown.startsWith(QLatin1Char('A')) && shown.endsWith(QStringLiteral("mp3")),
                 qPrintable(shown));
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
};

QTEST_MAIN(EditorLogicTest)
#include "EditorLogicTest.moc"
