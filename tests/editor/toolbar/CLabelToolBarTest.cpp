#include "CLabelToolBar.h"
#include "EditorIds.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace EditorIds;

namespace {

// Five pictures of one colour; with SHARPCOLOUR, each also drawn at twice the size.
QList<ToolBarBitmap::Picture> SolidImages(QColor colour, QColor sharpColour = QColor()) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(colour);
    ToolBarBitmap::Picture picture{image};
    if (sharpColour.isValid()) {
        QImage sharp(48, 48, QImage::Format_ARGB32);
        sharp.fill(sharpColour);
        sharp.setDevicePixelRatio(2);
        picture.append(sharp);
    }
    return QList<ToolBarBitmap::Picture>(5, picture);
}

bool Shows(QToolButton* button, QColor colour) {
    const QImage picture = button->grab().toImage();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class CLabelToolBarTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_window = std::make_unique<QWidget>();
        m_toolBar = new CLabelToolBar(m_window.get());
    }
    void cleanup() { m_window.reset(); }

    void buildsTheButtonsInOrderWithSeparatorsBetween() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));

        QList<int> items;
        for (QAction* action : m_toolBar->actions()) {
            items.append(action->isSeparator() ? 0 : action->data().toInt());
        }
        QCOMPARE(items, QList<int>({ID_FILE_NEW_LIST, 0, ID_FILE_ADD_FILE, 0, ID_FILE_REMOVE_FILE,
                                    0, ID_TOOLBAR_SAVE_FILE, 0, ID_HELP_ABOUT}));
    }

    void labelsEveryButtonWithItsShortName() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));

        QCOMPARE(Button(ID_FILE_NEW_LIST)->text(), QStringLiteral("New List"));
        QCOMPARE(Button(ID_FILE_ADD_FILE)->text(), QStringLiteral("Add Files"));
        QCOMPARE(Button(ID_FILE_REMOVE_FILE)->text(), QStringLiteral("Remove"));
        QCOMPARE(Button(ID_TOOLBAR_SAVE_FILE)->text(), QStringLiteral("Save File"));
        QCOMPARE(Button(ID_HELP_ABOUT)->text(), QStringLiteral("   About   "));
        QCOMPARE(Button(ID_HELP_ABOUT)->toolTip(), QStringLiteral("About"));
        QCOMPARE(Button(ID_FILE_NEW_LIST)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        for (QAction* action : m_toolBar->actions()) {
            if (action->isSeparator()) {
                QVERIFY(action->iconText().isEmpty());
            }
        }
    }

    void givesEveryButtonTheSizeOfTheLargestPlusMargins() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));

        QSize largest;
        for (QToolButton* button : Buttons()) {
            largest = largest.expandedTo(button->sizeHint());
        }
        QCOMPARE(Buttons().size(), 5);
        for (QToolButton* button : Buttons()) {
            QCOMPARE(button->size(), largest + QSize(2, 4));
        }
    }

    void showsTheHotImageOnlyOnTheButtonUnderTheMouse() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));
        m_toolBar->SetImageList(SolidImages(Qt::red));
        m_toolBar->SetHotImageList(SolidImages(Qt::green));
        m_toolBar->resize(m_toolBar->sizeHint());
        // Away from where the pointer starts, so that only the test's move puts it on a button.
        m_window->move(300, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

        QToolButton* hovered = Button(ID_FILE_REMOVE_FILE);
        QTest::mouseMove(hovered, hovered->rect().center());
        QTRY_VERIFY(hovered->underMouse());

        QVERIFY(Shows(hovered, Qt::green));
        QVERIFY(!Shows(hovered, Qt::red));
        for (QToolButton* other : Buttons()) {
            if (other != hovered) {
                QVERIFY(Shows(other, Qt::red));
                QVERIFY(!Shows(other, Qt::green));
            }
        }
    }

    void drawsTheDoubleSizePictureOnADoubleDensityScreen() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));
        m_toolBar->SetImageList(SolidImages(Qt::red, Qt::blue));
        const QIcon icon = Button(ID_FILE_NEW_LIST)->icon();
        const QPixmap normal = icon.pixmap(QSize(24, 24), 1.0);
        const QPixmap sharp = icon.pixmap(QSize(24, 24), 2.0);
        QCOMPARE(normal.toImage().pixelColor(12, 12), QColor(Qt::red));
        QCOMPARE(sharp.size(), QSize(48, 48));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.toImage().pixelColor(24, 24), QColor(Qt::blue));
    }

    void reportsTheCommandOfTheClickedButton() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));
        QSignalSpy commands(m_toolBar, &CLabelToolBar::commandRequested);

        QTest::mouseClick(Button(ID_TOOLBAR_SAVE_FILE), Qt::LeftButton);
        QTest::mouseClick(Button(ID_HELP_ABOUT), Qt::LeftButton);

        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands.at(0).at(0).toInt(), ID_TOOLBAR_SAVE_FILE);
        QCOMPARE(commands.at(1).at(0).toInt(), ID_HELP_ABOUT);
    }

    void failsAndStaysEmptyWithoutItsResource() {
        QVERIFY(m_toolBar->LoadToolBarWithLabels(IDR_TOOLBAR));

        QVERIFY(!m_toolBar->LoadToolBarWithLabels(IDR_MAINMENU));
        QVERIFY(m_toolBar->actions().isEmpty());
    }

private:
    QToolButton* Button(int commandId) const {
        for (QAction* action : m_toolBar->actions()) {
            if (action->data().toInt() == commandId) {
                return qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action));
            }
        }
        return nullptr;
    }

    QList<QToolButton*> Buttons() const {
        QList<QToolButton*> buttons;
        for (QAction* action : m_toolBar->actions()) {
            if (!action->isSeparator()) {
                buttons.append(qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action)));
            }
        }
        return buttons;
    }

    std::unique_ptr<QWidget> m_window;
    CLabelToolBar* m_toolBar = nullptr;
};

QTEST_MAIN(CLabelToolBarTest)
#include "CLabelToolBarTest.moc"
