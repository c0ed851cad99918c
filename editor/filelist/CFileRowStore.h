#pragma once

#include "CFileRow.h"

#include <vector>

// The rows of the file list in display order. Plain data: the list control, the sort and the
// row move all work on it, and it runs without any window.
class CFileRowStore {
public:
    int Count() const { return static_cast<int>(m_rows.size()); }
    bool IsValid(int row) const { return row >= 0 && row < Count(); }

    // Inserts before `row` (clamped to 0..Count()) and returns the row's position. A record
    // without an identity gets a new one; a record read from another row keeps that row's.
    int Insert(int row, CFileRow record);
    int InsertPath(int row, const QString& path, int image);
    bool Remove(int row);
    void Clear() { m_rows.clear(); }

    const CFileRow& Row(int row) const { return m_rows[static_cast<size_t>(row)]; }
    // An empty text for a column the row has no text for.
    const QString& Text(int row, int column) const;
    void SetText(int row, int column, const QString& text);
    void SetData(int row, qintptr data) { m_rows[static_cast<size_t>(row)].data = data; }

    unsigned State(int row, unsigned mask) const;
    void SetState(int row, unsigned state, unsigned mask);
    bool HasState(int row, unsigned bit) const { return State(row, bit) != 0; }
    // The first row after `after` (−1: from the top) carrying `bit`, or −1.
    int NextWithState(int after, unsigned bit) const;

    void Swap(int a, int b);

private:
    std::vector<CFileRow> m_rows;
    quint64 m_nNextId = 1;
};
