#include "CMenuReleaseFilter.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

CMenuReleaseFilter::CMenuReleaseFilter(QMenu* menu, const QPoint& globalPosition)
    : QObject(menu), m_ptOpened(globalPosition) {
    menu->installEventFilter(this);
}

bool CMenuReleaseFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_bPressedInside = true;
        break;
    case QEvent::MouseButtonRelease: {
        if (m_bPressedInside)
            break;
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        // Held still: the tail of the opening click. The menu stays open for a real choice.
        if ((at - m_ptOpened).manhattanLength() <= QApplication::startDragDistance())
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
