#pragma once

#include <QObject>
#include <QPoint>

class QMenu;

// Keeps the right click that opened a context menu from choosing one of its items. Where the menu
// opens on the press, it appears under the pointer, and the release of that same click, however
// long the button was held, lands on the item there. Such a release chooses nothing; the user
// chooses with a click of its own, or by carrying the pointer to an item before letting go.
class CMenuReleaseFilter : public QObject {
public:
    // Watches MENU, opened at GLOBALPOSITION, and goes with it.
    CMenuReleaseFilter(QMenu* menu, const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint m_ptOpened;
    bool m_bPressedInside = false;
};
