#include "PathElision.h"

#include <QFontMetrics>
#include <QtTest>

class PathElisionTest : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(PathElisionTest)
#include "PathElisionTest.moc"
