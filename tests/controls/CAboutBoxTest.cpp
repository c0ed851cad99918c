#include "CAboutBox.h"
#include "CDialogUnits.h"
#include "FakeLinkShell.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

CStaticLink* WebLink(const CAboutBox& box) {
    return box.findChild<CStaticLink*>(QStringLiteral("IDC_WEB_LINK"));
}

} // namespace

class CAboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CStaticLink::SetShell(&m_shell); }
    void cleanupTestCase() { CStaticLink::SetShell(nullptr); }

    void isLaidOutInTheUnitsOfItsOwnersFont() {
        for (const int points : {8, 12}) {
            QWidget owner;
            owner.setFont(QFont(QApplication::font().family(), points));
            const CAboutBox box(&owner);
            const CDialogUnits units(owner.font());

            QCOMPARE(box.windowTitle(), QStringLiteral("About Varlen MP3 Tag Editor"));
            QCOMPARE(box.size(), units.ToPixels(QSize(234, 58)));
            const auto* ok = box.findChild<QPushButton*>(QStringLiteral("IDOK"));
            QVERIFY(ok != nullptr);
            QCOMPARE(ok->geometry(), units.ToPixels(QRect(177, 5, 50, 14)));
            QCOMPARE(WebLink(box)->geometry().topLeft(),
                     units.ToPixels(QRect(39, 41, 114, 8)).topLeft());
        }
    }

    void showsTheIconNameMakerAndRights() {
        const CAboutBox box;
        QStringList texts;
        bool hasIcon = false;
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            texts.append(label->text());
            hasIcon = hasIcon || !label->pixmap().isNull();
        }
        QVERIFY(hasIcon);
        QVERIFY(texts.contains(QStringLiteral("Varlen MP3 Tag Editor Version " TAGEDITOR_VERSION)));
        QVERIFY(texts.filter(QStringLiteral("Melvora")).size() >= 2);
        QVERIFY(texts.contains(QString::fromLatin1(CAboutBox::kWebAddress)));
    }

    void theLinkOpensTheMakersAddressAndEachNewBoxStartsBlue() {
        {
            CAboutBox box;
            CStaticLink* link = WebLink(box);
            QCOMPARE(link->CurrentColor(), CStaticLink::s_crNotOpened);
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(m_shell.opened, QStringList{QString::fromLatin1(CAboutBox::kWebAddress)});
            QCOMPARE(link->CurrentColor(), CStaticLink::s_crOpened);
        }
        const CAboutBox again;
        QCOMPARE(WebLink(again)->CurrentColor(), CStaticLink::s_crNotOpened);
    }

    void okAndEscapeCloseTheBox() {
        CAboutBox box;
        QTimer::singleShot(0, &box, [&box] {
            QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
        });
        QCOMPARE(box.exec(), int(QDialog::Accepted));

        QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(box.exec(), int(QDialog::Rejected));
    }

private:
    FakeLinkShell m_shell;
};

QTEST_MAIN(CAboutBoxTest)
#include "CAboutBoxTest.moc"
