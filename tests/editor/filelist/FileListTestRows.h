#pragma once

#include "CFileRowStore.h"

#include <QString>
#include <QStringList>

// Builds and reads row stores in tests: rows from their column-0 texts, and back.
inline CFileRowStore MakeRows(const QStringList& texts) {
    CFileRowStore rows;
    for (const QString& text : texts)
        rows.InsertPath(rows.Count(), text, rows.Count());
    return rows;
}

inline QStringList TextsOf(const CFileRowStore& rows, int column = 0) {
    QStringList texts;
    for (int row = 0; row < rows.Count(); ++row)
        texts << rows.Text(row, column);
    return texts;
}

inline void Select(CFileRowStore& rows, int row) {
    rows.SetState(row, CFileRow::Selected | CFileRow::Focused,
                  CFileRow::Selected | CFileRow::Focused);
}
