#pragma once

#include <QWidget>

#include <memory>

class CFlatHeaderCtrl;

// The floating copy of a column that follows the cursor while a CFlatHeaderCtrl column is
// dragged. It never takes focus or mouse input, and is drawn in its owner's colours and font.
class CHeaderFloatWnd : public QWidget {
public:
    // Made hidden over screenRect; the owner moves and shows it as the cursor moves. It shows
    // the owner's copy of the item pressed last, `item` being that item's logical index.
    static std::unique_ptr<CHeaderFloatWnd> CreateFor(const QRect& screenRect,
                                                      const CFlatHeaderCtrl& owner, int item);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CHeaderFloatWnd(const CFlatHeaderCtrl& owner, int item);

    const CFlatHeaderCtrl& m_owner;
    const int m_nItem;
};
