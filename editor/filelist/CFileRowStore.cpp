#include "CFileRowStore.h"

#include <algorithm>
#include <utility>

int CFileRowStore::Insert(int row, CFileRow record) {
    row = std::clamp(row, 0, Count());
    if (record.id == 0)
        record.id = m_nNextId++;
    m_rows.insert(m_rows.begin() + row, std::move(record));
    return row;
}

int CFileRowStore::InsertPath(int row, const QString& path, int image) {
    CFileRow record;
    record.texts.push_back(path);
    record.image = image;
    return Insert(row, std::move(record));
}

bool CFileRowStore::Remove(int row) {
    if (!IsValid(row))
        return false;
    m_rows.erase(m_rows.begin() + row);
    return true;
}

const QString& CFileRowStore::Text(int row, int column) const {
    static const QString empty;
    const std::vector<QString>& texts = Row(row).texts;
    if (column < 0 || column >= static_cast<int>(texts.size()))
        return empty;
    return texts[static_cast<size_t>(column)];
}

void CFileRowStore::SetText(int row, int column, const QString& text) {
    std::vector<QString>& texts = m_rows[static_cast<size_t>(row)].texts;
    if (column >= static_cast<int>(texts.size()))
        texts.resize(static_cast<size_t>(column) + 1);
    texts[static_cast<size_t>(column)] = text;
}

unsigned CFileRowStore::State(int row, unsigned mask) const {
    return Row(row).state & mask;
}

void CFileRowStore::SetState(int row, unsigned state, unsigned mask) {
    unsigned& bits = m_rows[static_cast<size_t>(row)].state;
    bits = (bits & ~mask) | (state & mask);
}

int CFileRowStore::NextWithState(int after, unsigned bit) const {
    for (int row = std::max(after + 1, 0); row < Count(); ++row) {
        if (HasState(row, bit))
            return row;
    }
    return -1;
}

void CFileRowStore::Swap(int a, int b) {
    std::swap(m_rows[static_cast<size_t>(a)], m_rows[static_cast<size_t>(b)]);
}
