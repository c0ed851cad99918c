#include "CFlatHeaderCtrl.h"
#include "CHeaderFloatWnd.h"
#include "IHeaderDragListener.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

namespace {

// A window that hosts the header and, once set as its listener, answers its drag questions.
class DragParent : public QWidget, public IHeaderDragListener {
public:
    bool OnBeginDrag(CFlatHeaderCtrl&, int item) override {
        beganItems.append(item);
        return vetoBegin;
    }
    bool OnEndDrag(CFlatHeaderCtrl&, int item) override {
        endedItems.append(item);
        return vetoEnd;
    }

    bool vetoBegin = false;
    bool vetoEnd = false;
    QList<int> beganItems;
    QList<int> endedItems;
};

// Records what the header hands to its drawing hooks instead of looking at pixels.
class RecordingHeader : public CFlatHeaderCtrl {
public:
    void DrawItemContent(QPainter& painter, const QRect& rect, const HeaderItem& item, bool sorted,
                         bool ascending) const override {
        contentCalls.append({item.text, sorted});
        CFlatHeaderCtrl::DrawItemContent(painter, rect, item, sorted, ascending);
    }

    struct ContentCall {
        QString text;
        bool sorted;
    };
    mutable QList<ContentCall> contentCalls;
    mutable QList<QPair<QRect, int>> ownerDrawCalls;

protected:
    void DrawItem(QPainter&, const QRect& rect, int item) const override {
        ownerDrawCalls.append({rect, item});
    }
};

int FloatWindowCount() {
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows += dynamic_cast<CHeaderFloatWnd*>(widget) != nullptr ? 1 : 0;
    return windows;
}

CHeaderFloatWnd* FloatWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = dynamic_cast<CHeaderFloatWnd*>(widget))
            return window;
    }
    return nullptr;
}

bool AnyFloatWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (dynamic_cast<CHeaderFloatWnd*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

int PixelsOf(const QImage& image, QRgb colour) {
    int pixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            pixels += image.pixel(x, y) == colour ? 1 : 0;
    }
    return pixels;
}

const QRgb kRed = qRgb(255, 0, 0);

} // namespace

class CFlatHeaderCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void realDragMovesFirstColumnToTheEnd();
    void realDragMovesThirdColumnToTheFront();
    void dragShowsFloatingCopyAndMarkerUntilRelease();
    void dragIsNotAClickButAPlainPressIs();
    void vetoedEndKeepsOrderButClearsWindowAndMarker();
    void vetoedBeginGivesADragWithoutWindow();
    void aListenerTakenOffIsNotAskedEvenByItsOwnHeader();
    void noMarkerOnTheDraggedColumnsOwnHalves();
    void releaseBelowTheHeaderMovesNothing();
    void lostReleaseEndsTheDragWithoutMoving();
    void destroyingTheHeaderMidDragRemovesTheWindow();
    void emptyHeaderPaintsFaceOnly();
    void frameAndDividersFollowTheColumns();
    void sortArrowFollowsItsItemAndMinusOneShowsNone();
    void aClickLeavesTheArrowToWhoeverSorts();
    void pressedItemIsInvertedWhileHeld();
    void paletteChangeRecoloursButMarkerStaysRed();
    void hotDividerPlacesTheMarker();
    void widthLimitsClampAResize();
    void fixedWidthColumnDoesNotResize();
    void limitsFollowInsertedAndRemovedColumns();
    void worksAsTheHeaderOfATreeView();
    void itemsReachTheDrawingHooksAsTheModelDescribesThem();

private:
    QRgb Face() const { return m_header->ItemColours().face.rgb(); }
    QImage Grab() const { return m_header->viewport()->grab().toImage(); }
    QPoint At(int x) const { return QPoint(x, m_header->height() / 2); }
    QList<int> Order() const;
    void PressAndStartDrag(int x);
    void Drag(int fromX, int toX);

    DragParent* m_window = nullptr;
    QStandardItemModel* m_model = nullptr;
    CFlatHeaderCtrl* m_header = nullptr;
};

void CFlatHeaderCtrlTest::init() {
    m_window = new DragParent;
    m_model = new QStandardItemModel(0, 4, m_window);
    m_model->setHorizontalHeaderLabels({"a", "b", "c", "d"});
    m_header = new CFlatHeaderCtrl(m_window);
    m_header->SetDragListener(m_window);
    m_header->setModel(m_model);
    m_header->setStretchLastSection(false);
    for (int column = 0; column < 4; ++column)
        m_header->resizeSection(column, 100);
    m_header->setGeometry(0, 0, 500, m_header->sizeHint().height());
    m_window->resize(500, 60);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void CFlatHeaderCtrlTest::cleanup() {
    delete m_window;
    QCOMPARE(FloatWindowCount(), 0);
}

QList<int> CFlatHeaderCtrlTest::Order() const {
    QList<int> order;
    for (int visual = 0; visual < m_header->count(); ++visual)
        order.append(m_header->logicalIndex(visual));
    return order;
}

void CFlatHeaderCtrlTest::PressAndStartDrag(int x) {
    QWidget* viewport = m_header->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, At(x));
    QTest::mouseMove(viewport, At(x + QApplication::startDragDistance() + 1));
}

void CFlatHeaderCtrlTest::Drag(int fromX, int toX) {
    PressAndStartDrag(fromX);
    QTest::mouseMove(m_header->viewport(), At(toX));
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(toX));
}

void CFlatHeaderCtrlTest::realDragMovesFirstColumnToTheEnd() {
    Drag(50, 390);
    QCOMPARE(Order(), QList<int>({1, 2, 3, 0}));
    QCOMPARE(m_window->beganItems, QList<int>({0}));
    QCOMPARE(m_window->endedItems, QList<int>({0}));
}

void CFlatHeaderCtrlTest::realDragMovesThirdColumnToTheFront() {
    Drag(250, 10);
    QCOMPARE(Order(), QList<int>({2, 0, 1, 3}));
}

void CFlatHeaderCtrlTest::dragShowsFloatingCopyAndMarkerUntilRelease() {
    PressAndStartDrag(150);
    QCOMPARE(FloatWindowCount(), 1);
    QVERIFY(!AnyFloatWindowVisible()); // shown by the first move of the drag itself
    QTest::mouseMove(m_header->viewport(), At(330));
    QVERIFY(AnyFloatWindowVisible());
    const QImage copy = FloatWindow()->grab().toImage();
    QCOMPARE(copy.size(), QSize(100, m_header->height())); // the size of the dragged column
    const QPoint cursor = m_header->viewport()->mapToGlobal(At(330));
    QCOMPARE(FloatWindow()->pos(), cursor - QPoint(50, m_header->height() / 2)); // centred
    QCOMPARE(copy.pixel(0, 0), m_header->ItemColours().light.rgb());
    QCOMPARE(copy.pixel(99, copy.height() - 1), m_header->ItemColours().dark.rgb());
    QCOMPARE(copy.pixel(90, copy.height() / 2), Face());
    const QImage during = Grab();
    QCOMPARE(during.pixel(299, 1), kRed); // marker left of d
    QCOMPARE(during.pixel(299, during.height() - 3), kRed);

    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(330));
    QCOMPARE(FloatWindowCount(), 0);
    QCOMPARE(PixelsOf(Grab(), kRed), 0);
    QCOMPARE(Order(), QList<int>({0, 2, 1, 3}));
}

void CFlatHeaderCtrlTest::dragIsNotAClickButAPlainPressIs() {
    QSignalSpy clicks(m_header, &QHeaderView::sectionClicked);
    Drag(150, 160); // back onto its own right half
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(m_header->viewport(), Qt::LeftButton, {}, At(250));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().first().toInt(), 2);
}

void CFlatHeaderCtrlTest::vetoedEndKeepsOrderButClearsWindowAndMarker() {
    m_window->vetoEnd = true;
    PressAndStartDrag(50);
    QTest::mouseMove(m_header->viewport(), At(390));
    QVERIFY(PixelsOf(Grab(), kRed) > 0);
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(390));
    QCOMPARE(Order(), QList<int>({0, 1, 2, 3}));
    QCOMPARE(FloatWindowCount(), 0);
    QCOMPARE(PixelsOf(Grab(), kRed), 0);
    QCOMPARE(m_window->endedItems, QList<int>({0}));
}

void CFlatHeaderCtrlTest::vetoedBeginGivesADragWithoutWindow() {
    m_window->vetoBegin = true;
    PressAndStartDrag(50);
    QTest::mouseMove(m_header->viewport(), At(390));
    QCOMPARE(FloatWindowCount(), 0);
    QCOMPARE(PixelsOf(Grab(), kRed), 0);
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(390));
    QCOMPARE(Order(), QList<int>({0, 1, 2, 3}));
    QCOMPARE(m_window->endedItems, QList<int>({0})); // the end still comes
}

void CFlatHeaderCtrlTest::aListenerTakenOffIsNotAskedEvenByItsOwnHeader() {
    m_window->vetoEnd = true;
    m_header->SetDragListener(nullptr);
    Drag(50, 390);
    QCOMPARE(Order(), QList<int>({1, 2, 3, 0}));
    QVERIFY(m_window->beganItems.isEmpty());
    QVERIFY(m_window->endedItems.isEmpty());
}

void CFlatHeaderCtrlTest::noMarkerOnTheDraggedColumnsOwnHalves() {
    PressAndStartDrag(150);
    for (int x : {110, 190, 90, 210}) {
        QTest::mouseMove(m_header->viewport(), At(x));
        QVERIFY2(PixelsOf(Grab(), kRed) == 0, qPrintable(QString("marker at x %1").arg(x)));
    }
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(210));
    QCOMPARE(Order(), QList<int>({0, 1, 2, 3}));
}

void CFlatHeaderCtrlTest::releaseBelowTheHeaderMovesNothing() {
    PressAndStartDrag(50);
    QTest::mouseMove(m_header->viewport(), At(390));
    const QPoint below(390, m_header->height() + 20);
    QTest::mouseMove(m_header->viewport(), below);
    QCOMPARE(PixelsOf(Grab(), kRed), 0);
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(Order(), QList<int>({0, 1, 2, 3}));
    QCOMPARE(FloatWindowCount(), 0);
}

void CFlatHeaderCtrlTest::lostReleaseEndsTheDragWithoutMoving() {
    PressAndStartDrag(50);
    QTest::mouseMove(m_header->viewport(), At(390));
    // The button went up over another window, so the header only sees a move without it.
    const QPointF point = At(390);
    QMouseEvent move(QEvent::MouseMove, point, m_header->viewport()->mapToGlobal(point),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_header->viewport(), &move);
    QCOMPARE(FloatWindowCount(), 0);
    QCOMPARE(PixelsOf(Grab(), kRed), 0);
    QCOMPARE(Order(), QList<int>({0, 1, 2, 3}));
    QCOMPARE(m_window->endedItems, QList<int>({0}));
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(390));
}

void CFlatHeaderCtrlTest::destroyingTheHeaderMidDragRemovesTheWindow() {
    PressAndStartDrag(50);
    QTest::mouseMove(m_header->viewport(), At(390));
    QCOMPARE(FloatWindowCount(), 1);
    delete m_header;
    QCOMPARE(FloatWindowCount(), 0);
    QVERIFY(m_window->endedItems.isEmpty());
    m_header = nullptr;
}

void CFlatHeaderCtrlTest::emptyHeaderPaintsFaceOnly() {
    m_model->setColumnCount(0);
    m_header->SetHotDivider(0);
    const QImage image = Grab();
    QCOMPARE(PixelsOf(image, Face()), image.width() * image.height());
}

void CFlatHeaderCtrlTest::frameAndDividersFollowTheColumns() {
    const QImage image = Grab();
    const QRgb light = m_header->ItemColours().light.rgb();
    const QRgb dark = m_header->ItemColours().dark.rgb();
    const int middle = image.height() / 2;
    QCOMPARE(image.pixel(0, middle), light);    // frame, left edge
    QCOMPARE(image.pixel(50, 0), light);        // frame, top edge
    QCOMPARE(image.pixel(400, middle), dark);   // frame, right edge one past the columns
    QCOMPARE(image.pixel(401, middle), Face()); // nothing beyond it
    QCOMPARE(image.pixel(99, middle), dark);    // etched divider after a
    QCOMPARE(image.pixel(100, middle), light);
    QCOMPARE(image.pixel(99, 1), Face()); // dividers stop short of the frame
    QCOMPARE(image.pixel(99, 2), dark);
    QCOMPARE(image.pixel(99, image.height() - 3), dark);
    QCOMPARE(image.pixel(99, image.height() - 2), Face());
    QCOMPARE(image.pixel(399, middle), Face()); // no divider after the last column
}

void CFlatHeaderCtrlTest::sortArrowFollowsItsItemAndMinusOneShowsNone() {
    const QImage unsorted = Grab();
    const QRgb label = m_header->ItemColours().label.rgb();
    const int interiorLabel = PixelsOf(unsorted.copy(1, 1, 398, unsorted.height() - 2), label);

    m_header->SetSortIndicator(2, true);
    bool ascending = false;
    QCOMPARE(m_header->GetSortIndicator(&ascending), 2);
    QVERIFY(ascending);
    const QImage sorted = Grab();
    QCOMPARE(PixelsOf(sorted.copy(201, 1, 98, sorted.height() - 2), label) -
                 PixelsOf(unsorted.copy(201, 1, 98, unsorted.height() - 2), label),
             20); // the solid arrow in the text's colour, all inside column c

    m_header->moveSection(2, 0); // the arrow belongs to the item, wherever it is shown
    const QImage moved = Grab();
    m_header->SetSortIndicator(-1, false);
    const QImage movedUnsorted = Grab();
    QCOMPARE(PixelsOf(moved.copy(1, 1, 98, moved.height() - 2), label) -
                 PixelsOf(movedUnsorted.copy(1, 1, 98, movedUnsorted.height() - 2), label),
             20);
    m_header->moveSection(0, 2);

    m_header->SetSortIndicator(-1, false);
    const QImage none = Grab();
    QCOMPARE(PixelsOf(none.copy(1, 1, 398, none.height() - 2), label), interiorLabel);
    QCOMPARE(none, unsorted);
}

void CFlatHeaderCtrlTest::aClickLeavesTheArrowToWhoeverSorts() {
    const QImage unsorted = Grab();
    QSignalSpy clicks(m_header, &QHeaderView::sectionClicked);
    QTest::mouseClick(m_header->viewport(), Qt::LeftButton, {}, At(150));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(m_header->GetSortIndicator(), -1);
    QCOMPARE(Grab(), unsorted);

    m_header->SetSortIndicator(2, false);
    QTest::mouseClick(m_header->viewport(), Qt::LeftButton, {}, At(250));
    bool ascending = true;
    QCOMPARE(m_header->GetSortIndicator(&ascending), 2);
    QVERIFY(!ascending);
}

void CFlatHeaderCtrlTest::pressedItemIsInvertedWhileHeld() {
    const QRgb face = Face();
    const QRgb inverted = qRgb(255 - qRed(face), 255 - qGreen(face), 255 - qBlue(face));
    QTest::mousePress(m_header->viewport(), Qt::LeftButton, {}, At(150));
    QImage image = Grab();
    QCOMPARE(image.pixel(190, image.height() / 2), inverted);
    QCOMPARE(image.pixel(290, image.height() / 2), face);
    QTest::mouseRelease(m_header->viewport(), Qt::LeftButton, {}, At(150));
    image = Grab();
    QCOMPARE(image.pixel(190, image.height() / 2), face);
}

void CFlatHeaderCtrlTest::paletteChangeRecoloursButMarkerStaysRed() {
    QPalette palette = m_header->palette();
    palette.setColor(QPalette::Button, QColor(10, 200, 30));
    palette.setColor(QPalette::Dark, QColor(0, 0, 255));
    m_header->setPalette(palette);
    m_header->SetHotDivider(2);
    const QImage image = Grab();
    QCOMPARE(image.pixel(450, 5), qRgb(10, 200, 30));
    QCOMPARE(image.pixel(400, 5), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(199, 1), kRed);
}

void CFlatHeaderCtrlTest::hotDividerPlacesTheMarker() {
    QCOMPARE(m_header->SetHotDivider(2), 2);
    QImage image = Grab();
    QCOMPARE(image.pixel(199, 1), kRed); // left edge of the third column, minus 1
    QCOMPARE(image.pixel(199, image.height() - 2), kRed);
    QCOMPARE(image.pixel(196, 5), Face());

    QCOMPARE(m_header->SetHotDivider(4), 4);
    image = Grab();
    QCOMPARE(image.pixel(400, 1), kRed); // right edge of the last column
    QCOMPARE(image.pixel(199, 1), Face());

    const QPoint overRightHalfOfB = m_header->viewport()->mapToGlobal(At(160));
    QCOMPARE(m_header->SetHotDivider(overRightHalfOfB), 2);
    const QPoint belowTheHeader = m_header->viewport()->mapToGlobal(QPoint(160, 200));
    QCOMPARE(m_header->SetHotDivider(belowTheHeader), -1);
    QCOMPARE(PixelsOf(Grab(), kRed), 0);
}

void CFlatHeaderCtrlTest::widthLimitsClampAResize() {
    m_header->SetWidthLimits(0, 60, 150);
    QWidget* viewport = m_header->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, At(99));
    QTest::mouseMove(viewport, At(300));
    QCOMPARE(m_header->sectionSize(0), 150);
    QTest::mouseMove(viewport, At(10));
    QCOMPARE(m_header->sectionSize(0), 60);
    QTest::mouseMove(viewport, At(120)); // within the limits the divider follows the cursor
    QCOMPARE(m_header->sectionSize(0), 121);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, At(120));
    QCOMPARE(FloatWindowCount(), 0);
}

void CFlatHeaderCtrlTest::fixedWidthColumnDoesNotResize() {
    m_header->SetWidthLimits(1, 100, 100);
    QWidget* viewport = m_header->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, At(199));
    QTest::mouseMove(viewport, At(260));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, At(260));
    QCOMPARE(m_header->sectionSize(1), 100);
    QCOMPARE(Order(), QList<int>({0, 1, 2, 3}));

    QTest::mousePress(viewport, Qt::LeftButton, {}, At(99)); // its neighbour still resizes
    QTest::mouseMove(viewport, At(130));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, At(130));
    QCOMPARE(m_header->sectionSize(0), 131);
}

void CFlatHeaderCtrlTest::limitsFollowInsertedAndRemovedColumns() {
    m_header->SetWidthLimits(1, 50, 50);
    m_model->insertColumn(0);
    QCOMPARE(m_header->GetWidthLimits(2).maximum, 50);
    QCOMPARE(m_header->GetWidthLimits(1).maximum, -1);
    m_model->removeColumns(0, 2);
    QCOMPARE(m_header->GetWidthLimits(0).maximum, 50);
}

void CFlatHeaderCtrlTest::worksAsTheHeaderOfATreeView() {
    QTreeView tree;
    QStandardItemModel model(3, 1);
    model.setHorizontalHeaderLabels({"Files to edit"});
    tree.setModel(&model);
    QPointer<CFlatHeaderCtrl> header = new CFlatHeaderCtrl;
    tree.setHeader(header);
    header->setSectionsClickable(true);
    tree.resize(300, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QCOMPARE(header->count(), 1);

    QSignalSpy clicks(header.data(), &QHeaderView::sectionClicked);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(40, header->height() / 2));
    QCOMPARE(clicks.count(), 1);

    header->SetSortIndicator(0, false);
    const QImage image = header->viewport()->grab().toImage();
    QCOMPARE(image.pixel(header->sectionSize(0) + 1, image.height() / 2),
             header->ItemColours().face.rgb());

    model.setColumnCount(3);
    model.setHorizontalHeaderLabels({"one", "two", "three"});
    header->setStretchLastSection(false);
    for (int column = 0; column < 3; ++column)
        header->resizeSection(column, 80);
    QWidget* viewport = header->viewport();
    const int y = header->height() / 2;
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(40, y));
    QTest::mouseMove(viewport, QPoint(60, y));
    QTest::mouseMove(viewport, QPoint(230, y));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(230, y));
    QCOMPARE(header->logicalIndex(2), 0);
    QCOMPARE(header->visualIndex(0), 2);
}

void CFlatHeaderCtrlTest::itemsReachTheDrawingHooksAsTheModelDescribesThem() {
    RecordingHeader header;
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({QString(100, 'x'), "owner", "plain"});
    model.setHeaderData(1, Qt::Horizontal, true, CFlatHeaderCtrl::OwnerDrawRole);
    header.setModel(&model);
    header.setStretchLastSection(false);
    header.resize(400, header.sizeHint().height());

    header.viewport()->grab();
    QCOMPARE(header.contentCalls.size(), 2);
    QCOMPARE(header.contentCalls[0].text, QString(79, 'x'));
    QVERIFY(!header.contentCalls[0].sorted && !header.contentCalls[1].sorted);
    QCOMPARE(header.ownerDrawCalls.size(), 1);
    QCOMPARE(header.ownerDrawCalls[0].second, 1);
    QCOMPARE(header.ownerDrawCalls[0].first,
             QRect(header.sectionSize(0), 0, header.sectionSize(1), header.height()));

    header.contentCalls.clear();
    header.SetSortIndicator(2, true);
    header.viewport()->grab(QRect(0, 0, 10, header.height())); // items outside are skipped
    QCOMPARE(header.contentCalls.size(), 1);
    QCOMPARE(header.contentCalls[0].text, QString(79, 'x'));
}

QTEST_MAIN(CFlatHeaderCtrlTest)
#include "CFlatHeaderCtrlTest.moc"
