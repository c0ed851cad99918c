#include "CFlatHeaderCtrl.h"

#include "CHeaderFloatWnd.h"
#include "ColumnDrag.h"
#include "HeaderPainting.h"
#include "IHeaderDragListener.h"
#include "SortArrow.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

namespace {

// Item texts are shown up to this many characters.
constexpr int kMaxItemText = 79;

HeaderContentLayout::Justification JustificationOf(Qt::Alignment alignment) {
    if (alignment & Qt::AlignRight)
        return HeaderContentLayout::Justification::Right;
    if (alignment & Qt::AlignHCenter)
        return HeaderContentLayout::Justification::Center;
    return HeaderContentLayout::Justification::Left;
}

Qt::Alignment TextAlignment(HeaderContentLayout::Justification justification) {
    switch (justification) {
    case HeaderContentLayout::Justification::Right:
        return Qt::AlignRight;
    case HeaderContentLayout::Justification::Center:
        return Qt::AlignHCenter;
    case HeaderContentLayout::Justification::Left:
        break;
    }
    return Qt::AlignLeft;
}

std::optional<HeaderContentLayout::PartSize> SizeOf(const QPixmap& pixmap) {
    if (pixmap.isNull())
        return std::nullopt;
    const QSize size = pixmap.deviceIndependentSize().toSize();
    return HeaderContentLayout::PartSize{size.width(), size.height()};
}

} // namespace

CFlatHeaderCtrl::CFlatHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsMovable(false); // columns move by this control's own drag
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // No hot tracking: nothing changes under a cursor that merely passes by.
    setAttribute(Qt::WA_Hover, false);
    viewport()->setAttribute(Qt::WA_Hover, false);
    // Every paint covers its whole clip box, so the background is never erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    SetSortIndicator(-1, false);
    ReadColours();
}

CFlatHeaderCtrl::~CFlatHeaderCtrl() = default;

void CFlatHeaderCtrl::setModel(QAbstractItemModel* model) {
    for (const QMetaObject::Connection& connection : m_modelConnections)
        disconnect(connection);
    m_modelConnections.clear();
    QHeaderView::setModel(model);
    m_widthLimits.Reset(count());
    if (QAbstractItemModel* current = this->model()) {
        m_modelConnections = {connect(current, &QAbstractItemModel::columnsInserted, this,
                                      &CFlatHeaderCtrl::OnColumnsInserted),
                              connect(current, &QAbstractItemModel::columnsRemoved, this,
                                      &CFlatHeaderCtrl::OnColumnsRemoved),
                              connect(current, &QAbstractItemModel::modelReset, this,
                                      &CFlatHeaderCtrl::OnModelReset)};
    }
}

// What the arrow shows is kept in QHeaderView's own indicator, which this header never shows
// itself; whoever sorts decides what goes in it.
void CFlatHeaderCtrl::SetSortIndicator(int column, bool ascending) {
    setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    m_bSortIndicatorSet = true;
    viewport()->update();
}

int CFlatHeaderCtrl::GetSortIndicator(bool* ascending) const {
    if (ascending)
        *ascending = sortIndicatorOrder() == Qt::AscendingOrder;
    return sortIndicatorSection();
}

int CFlatHeaderCtrl::SetHotDivider(const QPoint& screenPoint) {
    return SetHotDivider(SlotAt(viewport()->mapFromGlobal(screenPoint)));
}

int CFlatHeaderCtrl::SetHotDivider(int slot) {
    m_nDropPos = slot;
    viewport()->update();
    return m_nDropPos;
}

void CFlatHeaderCtrl::SetWidthLimits(int item, int minimum, int maximum) {
    m_widthLimits.Set(item, CHeaderWidthLimits::Limit{minimum, maximum});
}

CHeaderWidthLimits::Limit CFlatHeaderCtrl::GetWidthLimits(int item) const {
    return m_widthLimits.Get(item);
}

void CFlatHeaderCtrl::DrawItemContent(QPainter& painter, const QRect& rect, const HeaderItem& item,
                                      bool sorted, bool ascending) const {
    using namespace HeaderPainting;
    const QFontMetrics metrics = painter.fontMetrics();
    HeaderContentLayout::Parts parts;
    parts.justification = item.justification;
    parts.image = SizeOf(item.image);
    if (!item.text.isEmpty())
        parts.textWidth = metrics.horizontalAdvance(item.text);
    parts.bitmap = SizeOf(item.bitmap);
    parts.bitmapOnRight = item.bitmapOnRight;
    const HeaderContentLayout::Placement placement = HeaderContentLayout::Place(
        ToHeaderRect(rect), parts, sorted, {m_nContentMargin, m_nArrowWidth, m_nArrowHeight});

    if (placement.image)
        painter.drawPixmap(ToQRect(*placement.image).topLeft(), item.image);
    if (placement.text) {
        const QRect textRect = ToQRect(*placement.text);
        painter.setPen(m_crLabel);
        painter.drawText(textRect,
                         TextAlignment(item.justification) | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(item.text, Qt::ElideRight, textRect.width()));
    }
    if (placement.arrow) {
        DrawPixels(painter,
                   SortArrow::Pixels(placement.arrow->left, placement.arrow->top, ascending),
                   m_crLabel);
    }
    if (placement.bitmap)
        painter.drawPixmap(ToQRect(*placement.bitmap).topLeft(), item.bitmap);
}

void CFlatHeaderCtrl::DrawItem(QPainter&, const QRect&, int) const {}

void CFlatHeaderCtrl::paintEvent(QPaintEvent* event) {
    const QRect clip = event->rect();
    HeaderPainting::PaintBuffered(*viewport(), clip,
                                  [&](QPainter& painter) { DrawHeader(painter, clip); });
}

void CFlatHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QHeaderView::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    HitTest(point);
    m_nButtonFlags = event->buttons();
    m_ptButton = point;
    if (m_nHitItem < 0) {
        QHeaderView::mousePressEvent(event);
        return;
    }
    m_pressedItem = ReadItem(m_nHitItem);
    if (m_hitInfo.place == HitPlace::OnItem) {
        viewport()->update(ItemRect(m_nHitItem)); // repaint it pressed
        QHeaderView::mousePressEvent(event);
        return;
    }
    if (!m_bHitItemSizable)
        return; // the divider of a fixed-width column starts no resize
    m_nResizeBase = point.x() - sectionSize(m_nHitItem);
    m_bTrackingDivider = true;
    QHeaderView::mousePressEvent(event);
}

void CFlatHeaderCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (IsLeftButtonHeld() && !event->buttons().testFlag(Qt::LeftButton))
        AbandonPress(event->buttons());

    const QPoint point = event->position().toPoint();
    if (!IsLeftButtonHeld()) {
        // Nothing is held: only the cursor shape may change, to show which dividers resize.
        HitTest(point);
        if (m_hitInfo.place == HitPlace::OnDivider && !m_bHitItemSizable) {
            unsetCursor();
            return;
        }
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    if (m_nHitItem < 0)
        return;
    if (m_bTrackingDivider) {
        // Qt cannot confine the cursor, so the divider is held within the limits instead.
        const int x = m_widthLimits.Get(m_nHitItem).ConfineX(point.x(), m_nResizeBase);
        PassOn(event, QPoint(x, point.y()));
        return;
    }
    if (m_hitInfo.place != HitPlace::OnItem)
        return;
    if (!m_bColumnDrag) {
        const int distance = QApplication::startDragDistance();
        if (ColumnDrag::IsPastDragThreshold({m_ptButton.x(), m_ptButton.y()},
                                            {point.x(), point.y()}, distance, distance))
            BeginColumnDrag();
        return;
    }
    if (m_pFloatWnd)
        DragColumnTo(point, event->globalPosition().toPoint());
}

void CFlatHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        ReleaseInQHeaderView(event);
        return;
    }
    m_nButtonFlags = event->buttons();
    m_ptButton = event->position().toPoint();
    m_bTrackingDivider = false;
    if (m_nHitItem < 0 || m_hitInfo.place != HitPlace::OnItem) {
        ReleaseInQHeaderView(event);
        return;
    }
    if (!m_bColumnDrag) {
        viewport()->update(ItemRect(m_nHitItem)); // repaint it released
        ReleaseInQHeaderView(event);
        return;
    }
    EndColumnDrag();
    // A drag never counts as a click, not even one that ends on the column it started from:
    // the release reaches QHeaderView as if it were off every column.
    PassOn(event, QPoint(length() - offset() + 1, m_ptButton.y()));
}

void CFlatHeaderCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        HitTest(event->position().toPoint());
        if (m_hitInfo.place == HitPlace::OnDivider && !m_bHitItemSizable)
            return; // a fixed-width column is not sized to its contents either
    }
    QHeaderView::mouseDoubleClickEvent(event);
}

void CFlatHeaderCtrl::changeEvent(QEvent* event) {
    QHeaderView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        ReadColours();
        viewport()->update();
    }
}

void CFlatHeaderCtrl::ReadColours() {
    // The active group always: the header looks the same whether its window is active or not.
    const QPalette& colours = palette();
    m_crLight = colours.color(QPalette::Active, QPalette::Light);
    m_crDark = colours.color(QPalette::Active, QPalette::Dark);
    m_crFace = colours.color(QPalette::Active, QPalette::Button);
    m_crLabel = colours.color(QPalette::Active, QPalette::ButtonText);
}

void CFlatHeaderCtrl::HitTest(const QPoint& point) {
    const bool inside = viewport()->rect().contains(point);
    const int divider = inside ? DividerAt(point.x()) : -1;
    if (divider >= 0) {
        m_nHitItem = divider;
        m_hitInfo.place = HitPlace::OnDivider;
    } else {
        m_nHitItem = inside ? logicalIndexAt(point.x()) : -1;
        m_hitInfo.place = m_nHitItem >= 0 ? HitPlace::OnItem : HitPlace::Nowhere;
    }
    if (m_nHitItem >= 0) {
        m_nHitOrder = visualIndex(m_nHitItem);
        m_bHitItemSizable = m_widthLimits.Get(m_nHitItem).IsResizable();
    }
}

// The item whose divider is at x, by the same grip rule QHeaderView uses to start a resize.
int CFlatHeaderCtrl::DividerAt(int x) const {
    const int order = visualIndexAt(x);
    if (order < 0)
        return -1;
    const int item = logicalIndex(order);
    const int left = sectionViewportPosition(item);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    if (x < left + grip) {
        for (int previous = order - 1; previous >= 0; --previous) {
            if (!isSectionHidden(logicalIndex(previous)))
                return logicalIndex(previous);
        }
        return -1;
    }
    return x > left + sectionSize(item) - grip ? item : -1;
}

HeaderItem CFlatHeaderCtrl::ReadItem(int item) const {
    const QAbstractItemModel* data = model();
    const Qt::Orientation direction = orientation();
    HeaderItem result;
    result.text = data->headerData(item, direction, Qt::DisplayRole).toString().left(kMaxItemText);
    const QVariant alignment = data->headerData(item, direction, Qt::TextAlignmentRole);
    result.justification = JustificationOf(alignment.isValid() ? Qt::Alignment(alignment.toInt())
                                                               : defaultAlignment());
    const QVariant decoration = data->headerData(item, direction, Qt::DecorationRole);
    if (decoration.canConvert<QIcon>() && decoration.userType() != QMetaType::QPixmap) {
        const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
        result.image = decoration.value<QIcon>().pixmap(QSize(side, side), devicePixelRatioF());
    } else {
        result.image = decoration.value<QPixmap>();
    }
    result.bitmap = data->headerData(item, direction, BitmapRole).value<QPixmap>();
    result.bitmapOnRight = data->headerData(item, direction, BitmapOnRightRole).toBool();
    result.ownerDraw = data->headerData(item, direction, OwnerDrawRole).toBool();
    return result;
}

QRect CFlatHeaderCtrl::ItemRect(int item) const {
    return QRect(sectionViewportPosition(item), 0, sectionSize(item), viewport()->height());
}

std::vector<HeaderSpan> CFlatHeaderCtrl::Spans() const {
    std::vector<HeaderSpan> spans;
    spans.reserve(count());
    int x = -offset();
    for (int order = 0; order < count(); ++order) {
        const int item = logicalIndex(order);
        const int width = isSectionHidden(item) ? 0 : sectionSize(item);
        spans.push_back(HeaderSpan{x, x + width});
        x += width;
    }
    return spans;
}

int CFlatHeaderCtrl::SlotAt(const QPoint& point) const {
    return viewport()->rect().contains(point) ? ColumnDrag::SlotAt(Spans(), point.x()) : -1;
}

bool CFlatHeaderCtrl::IsLeftButtonHeld() const {
    return m_nButtonFlags.testFlag(Qt::LeftButton);
}

void CFlatHeaderCtrl::DrawHeader(QPainter& painter, const QRect& clip) const {
    painter.fillRect(clip, m_crFace);
    painter.setFont(font());

    const std::vector<HeaderSpan> spans = Spans();
    int lastShown = count() - 1;
    while (lastShown >= 0 && isSectionHidden(logicalIndex(lastShown)))
        --lastShown;
    const int height = viewport()->height();
    const int clipRight = clip.x() + clip.width();
    int total = 0;
    for (int order = 0; order <= lastShown; ++order) {
        const int item = logicalIndex(order);
        if (isSectionHidden(item))
            continue;
        const HeaderSpan& span = spans[order];
        total += span.right - span.left;
        if (span.right < clip.left() || span.left > clipRight)
            continue;
        const QRect itemRect(span.left, 0, span.right - span.left, height);
        const HeaderItem data = ReadItem(item);
        if (data.ownerDraw) {
            painter.save();
            DrawItem(painter, itemRect, item);
            painter.restore();
        } else {
            DrawItemContent(painter, itemRect.adjusted(m_nContentMargin, 0, -m_nContentMargin, 0),
                            data, item == sortIndicatorSection(),
                            sortIndicatorOrder() == Qt::AscendingOrder);
            if (IsLeftButtonHeld() && item == m_nHitItem && m_hitInfo.place == HitPlace::OnItem) {
                painter.save();
                painter.setCompositionMode(QPainter::RasterOp_NotDestination);
                painter.fillRect(itemRect, Qt::black);
                painter.restore();
            }
        }
        if (order != lastShown)
            DrawDividers(painter, itemRect);
    }
    if (total > 0) {
        // The frame's right edge stands one pixel past the last column.
        HeaderPainting::Draw3dRect(painter, QRect(-offset(), 0, total + 1, height), m_crLight,
                                   m_crDark);
    }
    if (m_nDropPos >= 0 && lastShown >= 0)
        DrawDropMarker(painter, spans);
}

void CFlatHeaderCtrl::DrawDividers(QPainter& painter, const QRect& itemRect) const {
    const int right = itemRect.x() + itemRect.width();
    const int top = itemRect.y() + 2;
    const int length = itemRect.height() - 4;
    painter.fillRect(right - 1, top, 1, length, m_crDark);
    painter.fillRect(right, top, 1, length, m_crLight);
}

void CFlatHeaderCtrl::DrawDropMarker(QPainter& painter,
                                     const std::vector<HeaderSpan>& spans) const {
    const int x = ColumnDrag::MarkerX(spans, m_nDropPos);
    painter.save();
    painter.setPen(QPen(m_crDropMarker, 1));
    painter.setBrush(m_crDropMarker);
    for (const ColumnDrag::Triangle& triangle :
         ColumnDrag::MarkerTriangles(x, viewport()->height())) {
        QPolygon polygon;
        for (const HeaderPoint& corner : triangle)
            polygon << QPoint(corner.x, corner.y);
        painter.drawPolygon(polygon);
    }
    painter.restore();
}

void CFlatHeaderCtrl::AbandonPress(Qt::MouseButtons buttons) {
    // The release went elsewhere (another window took the mouse): end the press without a drop.
    m_nButtonFlags = buttons;
    m_bTrackingDivider = false;
    if (m_bColumnDrag) {
        m_nDropPos = -1;
        EndColumnDrag();
    }
    viewport()->update();
}

void CFlatHeaderCtrl::BeginColumnDrag() {
    if (!m_pDragListener || !m_pDragListener->OnBeginDrag(*this, m_nHitItem)) {
        const QRect itemRect = ItemRect(m_nHitItem);
        m_pFloatWnd = CHeaderFloatWnd::CreateFor(
            QRect(viewport()->mapToGlobal(itemRect.topLeft()), itemRect.size()), *this, m_nHitItem);
    }
    // The press already holds the mouse for this widget until the button goes up.
    m_bColumnDrag = true;
}

void CFlatHeaderCtrl::DragColumnTo(const QPoint& point, const QPoint& screenPoint) {
    CHeaderFloatWnd& window = *m_pFloatWnd;
    window.move(screenPoint - QPoint(window.width() / 2, window.height() / 2));
    if (window.isHidden())
        window.show(); // on top of everything by its window flags
    const int slot = viewport()->rect().contains(point)
                         ? ColumnDrag::DropSlotAt(Spans(), point.x(), m_nHitOrder)
                         : -1;
    if (slot != m_nDropPos) {
        m_nDropPos = slot;
        viewport()->update();
    }
}

void CFlatHeaderCtrl::EndColumnDrag() {
    const bool vetoed = m_pDragListener && m_pDragListener->OnEndDrag(*this, m_nHitItem);
    if (!vetoed && m_nDropPos >= 0)
        moveSection(m_nHitOrder, ColumnDrag::DestinationOrder(m_nHitOrder, m_nDropPos));
    m_pFloatWnd.reset();
    m_bColumnDrag = false;
    m_nDropPos = -1;
    viewport()->update();
}

void CFlatHeaderCtrl::PassOn(QMouseEvent* event, const QPoint& position) {
    QMouseEvent moved(event->type(), QPointF(position), event->globalPosition(), event->button(),
                      event->buttons(), event->modifiers(), event->pointingDevice());
    if (event->type() == QEvent::MouseMove)
        QHeaderView::mouseMoveEvent(&moved);
    else
        ReleaseInQHeaderView(&moved);
}

// QHeaderView turns its own indicator at every click, but the arrow shows only what whoever
// sorts says: after a click that nobody sorted on, it is put back as it was.
void CFlatHeaderCtrl::ReleaseInQHeaderView(QMouseEvent* event) {
    const int shownColumn = sortIndicatorSection();
    const Qt::SortOrder shownOrder = sortIndicatorOrder();
    m_bSortIndicatorSet = false;
    QHeaderView::mouseReleaseEvent(event);
    if (!m_bSortIndicatorSet)
        setSortIndicator(shownColumn, shownOrder);
}

void CFlatHeaderCtrl::OnColumnsInserted(const QModelIndex& parent, int first, int last) {
    if (parent != rootIndex())
        return;
    for (int column = first; column <= last; ++column)
        m_widthLimits.Insert(column);
}

void CFlatHeaderCtrl::OnColumnsRemoved(const QModelIndex& parent, int first, int last) {
    if (parent != rootIndex())
        return;
    for (int column = last; column >= first; --column)
        m_widthLimits.Remove(column);
}

void CFlatHeaderCtrl::OnModelReset() {
    m_widthLimits.Reset(count());
}
