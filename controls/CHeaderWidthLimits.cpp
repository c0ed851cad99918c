#include "CHeaderWidthLimits.h"

#include <algorithm>

int CHeaderWidthLimits::Limit::ConfineX(int x, int base) const {
    // Limits that contradict each other (a maximum below the minimum) confine nothing.
    if (minimum > 0 && maximum > 0 && minimum > maximum)
        return x;
    if (minimum > 0)
        x = std::max(x, base + minimum);
    if (maximum > 0)
        x = std::min(x, base + maximum);
    return x;
}

void CHeaderWidthLimits::Insert(int index) {
    if (index < 0)
        return;
    if (index < Count())
        m_limits.insert(m_limits.begin() + index, Limit{});
    else
        m_limits.resize(index + 1);
    m_limits[index] = Limit{};
}

void CHeaderWidthLimits::Remove(int index) {
    if (index >= 0 && index < Count())
        m_limits.erase(m_limits.begin() + index);
}

void CHeaderWidthLimits::Reset(int count) {
    m_limits.assign(std::max(0, count), Limit{});
}

void CHeaderWidthLimits::Set(int index, Limit limit) {
    if (index >= 0 && index < Count())
        m_limits[index] = limit;
}

CHeaderWidthLimits::Limit CHeaderWidthLimits::Get(int index) const {
    return index >= 0 && index < Count() ? m_limits[index] : Limit{};
}
