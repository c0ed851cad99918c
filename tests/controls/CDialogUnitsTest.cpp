#include "CDialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QtTest>

class CDialogUnitsTest : public QObject {
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
};

QTEST_MAIN(CDialogUnitsTest)
#include "CDialogUnitsTest.moc"
