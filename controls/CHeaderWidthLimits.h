#pragma once

#include <vector>

// Per-item minimum and maximum widths of a header, kept parallel to the item indices.
class CHeaderWidthLimits {
public:
    struct Limit {
        int minimum = 0;
        int maximum = -1; // a limit is only in force when it is greater than 0

        // Equal limits make a fixed-width item.
        bool IsResizable() const { return minimum != maximum; }
        // Keeps the x of a divider being dragged within the limits, base being the x at which
        // the item's width would be 0.
        int ConfineX(int x, int base) const;
    };

    // A new item at `index`: the later records move up; an index past the end grows the list.
    void Insert(int index);
    void Remove(int index);
    void Reset(int count);
    // Ignored for an index that has no record.
    void Set(int index, Limit limit);
    // No limits for an index that has no record.
    Limit Get(int index) const;
    int Count() const { return static_cast<int>(m_limits.size()); }

private:
    std::vector<Limit> m_limits;
};
