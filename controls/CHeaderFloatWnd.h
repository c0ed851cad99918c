#pragma once

#include "HeaderItem.h"

#include <QWidget>

class CFlatHeaderCtrl;

// The floating copy of a column that follows the cursor while a CFlatHeaderCtrl column is
// dragged. It never takes focus or mouse input, and is drawn in its owner's colours and font.
class CHeaderFloatWnd : public QWidget {
public:
    // Made hidden over screenRect; the owner moves and shows it as the cursor moves.
    CHeaderFloatWnd(const CFlatHeaderCtrl& owner, int item, const HeaderItem& pressedItem,
                    const QRect& screenRect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CFlatHeaderCtrl& m_owner;
    const int m_nItem;
    const HeaderItem m_item;
};
