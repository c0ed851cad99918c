#pragma once

#include <QIcon>

#include <vector>

// The file list's own small-icon list: one icon per added file, indexed by the rows' image
// index. Icons are only ever appended, so the indexes of remaining rows stay valid when rows
// are removed.
class CImageList {
public:
    int Add(const QIcon& icon) {
        m_icons.push_back(icon);
        return static_cast<int>(m_icons.size()) - 1;
    }
    int Count() const { return static_cast<int>(m_icons.size()); }
    // A null icon for an index the list does not hold.
    QIcon Icon(int index) const {
        return index >= 0 && index < Count() ? m_icons[static_cast<size_t>(index)] : QIcon();
    }

private:
    std::vector<QIcon> m_icons;
};
