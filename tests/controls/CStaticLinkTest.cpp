#include "CStaticLink.h"
#include "CHandCursor.h"
#include "FakeLinkShell.h"

#include <QtTest>

namespace {

bool Shows(QWidget& widget, const QColor& colour) {
    const QImage image = widget.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

void Hover(QWidget& widget) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(&widget, &enter);
}

} // namespace

class CStaticLinkTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CStaticLink::SetShell(&m_shell); }
    void cleanupTestCase() { CStaticLink::SetShell(nullptr); }
    void init() {
        m_shell.openSucceeds = true;
        m_shell.opened.clear();
        m_shell.beeps = 0;
    }

    void startsBlueAndUnderlinedAndTurnsPurpleOnceOpened() {
        CStaticLink link(QStringLiteral("https://melvora.example/"));
        link.setText(QStringLiteral("melvora.example"));
        link.resize(link.sizeHint());
        QCOMPARE(link.CurrentColor(), CStaticLink::s_crNotOpened);
        QVERIFY(Shows(link, CStaticLink::s_crNotOpened));

        QTest::mouseClick(&link, Qt::LeftButton);

        QCOMPARE(m_shell.opened, QStringList{QStringLiteral("https://melvora.example/")});
        QCOMPARE(link.CurrentColor(), CStaticLink::s_crOpened);
        QVERIFY(Shows(link, CStaticLink::s_crOpened));
        QVERIFY(!Shows(link, CStaticLink::s_crNotOpened));
    }

    void onADarkPaletteTheDesktopsLinkColoursKeepItReadable() {
        CStaticLink link(QStringLiteral("https://melvora.example/"));
        link.setText(QStringLiteral("melvora.example"));
        link.resize(link.sizeHint());
        QPalette dark = link.palette();
        dark.setColor(QPalette::Window, QColor(45, 45, 45));
        dark.setColor(QPalette::Link, QColor(90, 170, 250));
        dark.setColor(QPalette::LinkVisited, QColor(200, 140, 230));
        link.setPalette(dark);
        QCOMPARE(link.CurrentColor(), QColor(90, 170, 250));
        QVERIFY(Shows(link, QColor(90, 170, 250)));
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(link.CurrentColor(), QColor(200, 140, 230));
    }

    void aLinkWithoutTargetOpensItsTextAndKeepsIt() {
        CStaticLink link;
        link.setText(QStringLiteral("https://melvora.example/tageditor"));
        link.resize(link.sizeHint());

        QTest::mouseClick(&link, Qt::LeftButton);
        link.setText(QStringLiteral("something else"));
        QTest::mouseClick(&link, Qt::LeftButton);

        QCOMPARE(link.Target(), QStringLiteral("https://melvora.example/tageditor"));
        QCOMPARE(m_shell.opened,
                 QStringList(2, QStringLiteral("https://melvora.example/tageditor")));
    }

    void aFailedOpenBeepsAndKeepsTheColour() {
        CStaticLink link(QStringLiteral("https://melvora.example/"));
        link.setText(QStringLiteral("melvora.example"));
        link.resize(link.sizeHint());

        m_shell.openSucceeds = false;
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(m_shell.beeps, 1);
        QCOMPARE(link.CurrentColor(), CStaticLink::s_crNotOpened);

        m_shell.openSucceeds = true;
        QTest::mouseClick(&link, Qt::LeftButton);
        QTest::mouseClick(&link, Qt::LeftButton);
        m_shell.openSucceeds = false;
        QTest::mouseClick(&link, Qt::LeftButton);

        QCOMPARE(m_shell.beeps, 2);
        QCOMPARE(link.CurrentColor(), CStaticLink::s_crOpened);
    }

    void onlyTheLeftButtonOpens() {
        CStaticLink link(QStringLiteral("https://melvora.example/"));
        link.setText(QStringLiteral("melvora.example"));
        link.resize(link.sizeHint());

        QTest::mouseClick(&link, Qt::RightButton);
        QTest::mouseClick(&link, Qt::MiddleButton);

        QVERIFY(m_shell.opened.isEmpty());
        QCOMPARE(m_shell.beeps, 0);
    }

    void pictureAndNoPrefixLabelsKeepTheirParentsLooks() {
        QWidget parent;
        QLabel plain(QStringLiteral("Version 1.4 & more"), &parent);
        CStaticLink noPrefix(QString(), &parent);
        noPrefix.setText(plain.text());
        noPrefix.SetNoPrefix(true);
        plain.resize(plain.sizeHint());
        noPrefix.resize(plain.size());
        QCOMPARE(noPrefix.grab().toImage(), plain.grab().toImage());

        QPixmap picture(16, 16);
        picture.fill(Qt::darkGreen);
        QLabel plainPicture(&parent);
        CStaticLink pictureLink(QStringLiteral("https://melvora.example/"), &parent);
        plainPicture.setPixmap(picture);
        pictureLink.setPixmap(picture);
        plainPicture.resize(20, 20);
        pictureLink.resize(20, 20);
        QCOMPARE(pictureLink.grab().toImage(), plainPicture.grab().toImage());

        QTest::mouseClick(&pictureLink, Qt::LeftButton);
        QCOMPARE(m_shell.opened, QStringList{QStringLiteral("https://melvora.example/")});
    }

    void theHandCursorIsLookedUpOnceForEveryLink() {
        CStaticLink first(QStringLiteral("https://melvora.example/"));
        CStaticLink second(QStringLiteral("https://melvora.example/"));

        for (int i = 0; i < 3; ++i) {
            Hover(first);
            Hover(second);
        }

        QCOMPARE(m_shell.cursorLoads, 1);
        QCOMPARE(first.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(second.cursor().shape(), Qt::PointingHandCursor);
    }

    void aCursorThatCannotBeLoadedIsNotTriedAgain() {
        int loads = 0;
        CHandCursor cursor([&loads]() -> std::optional<QCursor> {
            ++loads;
            return std::nullopt;
        });

        QVERIFY(cursor.Get() == nullptr);
        QVERIFY(cursor.Get() == nullptr);
        QCOMPARE(loads, 1);
    }

private:
    FakeLinkShell m_shell;
};

QTEST_MAIN(CStaticLinkTest)
#include "CStaticLinkTest.moc"
