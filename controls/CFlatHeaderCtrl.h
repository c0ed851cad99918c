#pragma once

#include "CHeaderWidthLimits.h"
#include "HeaderGeometry.h"
#include "HeaderItem.h"

#include <QColor>
#include <QHeaderView>
#include <QMetaObject>

#include <memory>
#include <vector>

class CHeaderFloatWnd;
class IHeaderDragListener;

// A horizontal header that paints itself flat: one raised frame over all columns, etched
// dividers, a sort arrow in the sort column and an inverted look for the column held down. It
// reorders columns with its own drag (a floating copy of the column follows the cursor, red
// marks show where it will land) and keeps optional per-column width limits.
//
// QHeaderView still stores the sections, resizes them and emits the click signals. Note that
// QTreeView::setHeader switches clicking off: call setSectionsClickable(true) afterwards to get
// sectionClicked. A drag listener (SetDragListener) may refuse column drags.
class CFlatHeaderCtrl : public QHeaderView {
    Q_OBJECT

public:
    // Header data roles, besides the display text, alignment and decoration, that items may
    // carry: a second picture (QPixmap), drawn opposite the text; whether it goes on the right
    // in a right-aligned item; and whether DrawItem paints the item instead of the header.
    enum ItemRole { BitmapRole = Qt::UserRole + 0x4f00, BitmapOnRightRole, OwnerDrawRole };

    struct Colours {
        QColor light;
        QColor dark;
        QColor face;
        QColor label;
    };

    explicit CFlatHeaderCtrl(QWidget* parent = nullptr);
    ~CFlatHeaderCtrl() override;

    void setModel(QAbstractItemModel* model) override;

    // Shows the sort arrow; the header only shows it, the sort state belongs to the view that
    // sorts. column is a logical index, -1 for no arrow anywhere.
    void SetSortIndicator(int column, bool ascending);
    int GetSortIndicator(bool* ascending = nullptr) const;

    // Shows the drop marker at the slot nearest to a screen point (none when the point is on
    // no item), or at an explicit slot (0 = before the first column, count() = after the last,
    // -1 = none). Returns the slot shown.
    int SetHotDivider(const QPoint& screenPoint);
    int SetHotDivider(int slot);

    // Who is asked about column drags; nullptr (the default): nobody, every drag goes ahead. The
    // listener must outlive the header or be taken off first.
    void SetDragListener(IHeaderDragListener* listener) { m_pDragListener = listener; }

    // Limits for a user resize of `item`; equal limits make it fixed-width. A limit <= 0 is
    // no limit.
    void SetWidthLimits(int item, int minimum, int maximum);
    CHeaderWidthLimits::Limit GetWidthLimits(int item) const;

    // Draws one item's image, text, bitmap and sort arrow into `rect`, which the caller has
    // already narrowed by the content margin on both sides.
    virtual void DrawItemContent(QPainter& painter, const QRect& rect, const HeaderItem& item,
                                 bool sorted, bool ascending) const;

    Colours ItemColours() const { return Colours{m_crLight, m_crDark, m_crFace, m_crLabel}; }
    int ContentMargin() const { return m_nContentMargin; }
    // A copy of the item pressed last, taken when the button went down.
    const HeaderItem& PressedItem() const { return m_pressedItem; }

protected:
    // Paints an item whose OwnerDrawRole is true. Draws nothing unless overridden.
    virtual void DrawItem(QPainter& painter, const QRect& rect, int item) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class HitPlace { Nowhere, OnItem, OnDivider };
    struct HitInfo {
        HitPlace place = HitPlace::Nowhere;
    };

    void ReadColours();
    void HitTest(const QPoint& point);
    int DividerAt(int x) const;
    HeaderItem ReadItem(int item) const;
    QRect ItemRect(int item) const;
    std::vector<HeaderSpan> Spans() const;
    int SlotAt(const QPoint& point) const;
    bool IsLeftButtonHeld() const;

    void DrawHeader(QPainter& painter, const QRect& clip) const;
    void DrawDividers(QPainter& painter, const QRect& itemRect) const;
    void DrawDropMarker(QPainter& painter, const std::vector<HeaderSpan>& spans) const;

    void AbandonPress(Qt::MouseButtons buttons);
    void BeginColumnDrag();
    void DragColumnTo(const QPoint& point, const QPoint& screenPoint);
    void EndColumnDrag();
    void PassOn(QMouseEvent* event, const QPoint& position);
    void ReleaseInQHeaderView(QMouseEvent* event);

    void OnColumnsInserted(const QModelIndex& parent, int first, int last);
    void OnColumnsRemoved(const QModelIndex& parent, int first, int last);
    void OnModelReset();

    const int m_nContentMargin = 6;
    const int m_nArrowWidth = 8;
    const int m_nArrowHeight = 8;
    int m_nHitItem = -1;
    int m_nHitOrder = -1;
    bool m_bHitItemSizable = true;
    HitInfo m_hitInfo;
    HeaderItem m_pressedItem;
    bool m_bTrackingDivider = false;
    int m_nResizeBase = 0; // x at which the item being resized would be 0 wide
    int m_nDropPos = -1;
    const QColor m_crDropMarker = QColor(255, 0, 0);
    bool m_bColumnDrag = false;
    std::unique_ptr<CHeaderFloatWnd> m_pFloatWnd;
    IHeaderDragListener* m_pDragListener = nullptr;
    // Whether SetSortIndicator ran since a release went on to QHeaderView.
    bool m_bSortIndicatorSet = false;
    Qt::MouseButtons m_nButtonFlags;
    QPoint m_ptButton;
    CHeaderWidthLimits m_widthLimits;
    QColor m_crLight;
    QColor m_crDark;
    QColor m_crFace;
    QColor m_crLabel;
    std::vector<QMetaObject::Connection> m_modelConnections;
};
