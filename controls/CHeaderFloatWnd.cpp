#include "CHeaderFloatWnd.h"

#include "CFlatHeaderCtrl.h"
#include "HeaderPainting.h"

#include <QPaintEvent>
#include <QPainter>

std::unique_ptr<CHeaderFloatWnd>
CHeaderFloatWnd::CreateFor(const QRect& screenRect, const CFlatHeaderCtrl& owner, int item) {
    std::unique_ptr<CHeaderFloatWnd> window(new CHeaderFloatWnd(owner, item));
    window->setGeometry(screenRect);
    return window;
}

CHeaderFloatWnd::CHeaderFloatWnd(const CFlatHeaderCtrl& owner, int item)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      m_owner(owner), m_nItem(item) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Centred on the cursor, the copy covers the drop marker at the edge of the column below
    // it; letting the header show through keeps the marker in sight.
    setWindowOpacity(0.75);
}

void CHeaderFloatWnd::paintEvent(QPaintEvent* event) {
    HeaderPainting::PaintBuffered(*this, event->rect(), [this](QPainter& painter) {
        const CFlatHeaderCtrl::Colours colours = m_owner.ItemColours();
        const QRect box = rect();
        painter.fillRect(box, colours.face);
        HeaderPainting::Draw3dRect(painter, box, colours.light, colours.dark);
        painter.setFont(m_owner.font());
        bool ascending = false;
        const bool sorted = m_owner.GetSortIndicator(&ascending) == m_nItem;
        const int margin = m_owner.ContentMargin();
        m_owner.DrawItemContent(painter, box.adjusted(margin, 0, -margin, 0), m_owner.PressedItem(),
                                sorted, ascending);
    });
}
