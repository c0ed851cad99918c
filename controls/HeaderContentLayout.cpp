#include "HeaderContentLayout.h"

#include <algorithm>

namespace HeaderContentLayout {
namespace {

int HalfRoundedDown(int value) {
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

// Walks the room from both ends, handing out space to the parts in the order the
// justification asks for.
class Placer {
public:
    Placer(const HeaderRect& room, const Metrics& metrics) : m_room(room), m_metrics(metrics) {}

    int Image(const std::optional<PartSize>& size) {
        return Box(m_placement.image, size, /*alignRight=*/false);
    }
    int Bitmap(const std::optional<PartSize>& size, bool alignRight) {
        return Box(m_placement.bitmap, size, alignRight);
    }

    int Text(const std::optional<int>& measuredWidth) {
        if (!measuredWidth || m_room.Width() <= 0)
            return 0;
        m_placement.text = m_room;
        return std::max(0, std::min(*measuredWidth, m_room.Width()));
    }

    int Arrow(bool alignRight) {
        if (m_room.Width() <= 0 || m_room.Width() < m_metrics.arrowWidth)
            return 0;
        const int x = alignRight ? m_room.right - m_metrics.arrowWidth : m_room.left;
        const int y = m_room.top + HalfRoundedDown(m_room.Height() - m_metrics.arrowHeight - 1);
        m_placement.arrow = HeaderRect{x, y, x + m_metrics.arrowWidth, y + m_metrics.arrowHeight};
        return m_metrics.arrowWidth;
    }

    void AdvanceLeft(int width) {
        if (width > 0)
            m_room.left += width + m_metrics.spacing;
    }
    void RetreatRight(int width) {
        if (width > 0)
            m_room.right -= width + m_metrics.spacing;
    }
    HeaderRect& Room() { return m_room; }
    const Placement& Result() const { return m_placement; }

private:
    int Box(std::optional<HeaderRect>& slot, const std::optional<PartSize>& size, bool alignRight) {
        if (!size || m_room.Width() <= 0 || m_room.Width() < size->width)
            return 0;
        const int x = alignRight ? m_room.right - size->width : m_room.left;
        const int y = (m_room.top + m_room.bottom) / 2 - size->height / 2;
        slot = HeaderRect{x, y, x + size->width, y + size->height};
        return size->width;
    }

    HeaderRect m_room;
    const Metrics& m_metrics;
    Placement m_placement;
};

void PlaceLeft(Placer& placer, const Parts& parts, bool sorted, const Metrics& metrics) {
    const int arrowRoom = metrics.arrowWidth + metrics.spacing;
    HeaderRect& room = placer.Room();
    placer.AdvanceLeft(placer.Image(parts.image));
    if (sorted)
        room.right -= arrowRoom; // keep the arrow's room free while the text is fitted
    placer.AdvanceLeft(placer.Text(parts.textWidth));
    if (sorted) {
        room.right += arrowRoom;
        room.left += placer.Arrow(/*alignRight=*/false) + metrics.spacing;
    }
    placer.Bitmap(parts.bitmap, /*alignRight=*/true);
}

void PlaceRight(Placer& placer, const Parts& parts, bool sorted, const Metrics& metrics) {
    const int arrowRoom = metrics.arrowWidth + metrics.spacing;
    HeaderRect& room = placer.Room();
    if (!parts.bitmapOnRight)
        placer.AdvanceLeft(placer.Bitmap(parts.bitmap, /*alignRight=*/false));
    placer.AdvanceLeft(placer.Image(parts.image));
    if (parts.bitmapOnRight) {
        // The arrow's room is held back only while the bitmap is fitted.
        if (sorted)
            room.left += arrowRoom;
        placer.RetreatRight(placer.Bitmap(parts.bitmap, /*alignRight=*/true));
        if (sorted)
            room.left -= arrowRoom;
    }
    if (sorted)
        room.right -= placer.Arrow(/*alignRight=*/true) + 2 * metrics.spacing;
    placer.Text(parts.textWidth);
}

void PlaceCenter(Placer& placer, const Parts& parts, bool sorted, const Metrics& metrics) {
    const int arrowRoom = metrics.arrowWidth + metrics.spacing;
    HeaderRect& room = placer.Room();
    placer.AdvanceLeft(placer.Image(parts.image));
    if (sorted)
        room.left += arrowRoom;
    placer.RetreatRight(placer.Bitmap(parts.bitmap, /*alignRight=*/true));
    if (sorted) {
        room.left -= arrowRoom;
        room.right -= placer.Arrow(/*alignRight=*/true) + 2 * metrics.spacing;
    }
    placer.Text(parts.textWidth);
}

} // namespace

Placement Place(const HeaderRect& room, const Parts& parts, bool sorted, const Metrics& metrics) {
    Placer placer(room, metrics);
    switch (parts.justification) {
    case Justification::Left:
        PlaceLeft(placer, parts, sorted, metrics);
        break;
    case Justification::Right:
        PlaceRight(placer, parts, sorted, metrics);
        break;
    case Justification::Center:
        PlaceCenter(placer, parts, sorted, metrics);
        break;
    }
    return placer.Result();
}

} // namespace HeaderContentLayout
