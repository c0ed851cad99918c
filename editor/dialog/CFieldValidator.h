#pragma once

#include <QValidator>

namespace FieldTable {
struct Row;
}

// The input rule of one form field: no more characters than the field's cap, counted as the user
// sees them (a character outside the Basic Multilingual Plane counts once), and, given a row of
// the field table, only the characters its rule takes (digits for Year). A text that the
// program put in (a long title read from a file) is kept whole; the user may edit it but never
// make it longer than it came. (The allowance stays until the program sets the next text, so
// the field's own undo can always bring the text back.)
class CFieldValidator : public QValidator {
    Q_OBJECT
public:
    explicit CFieldValidator(int cap, const FieldTable::Row* row = nullptr,
                             QObject* parent = nullptr);

    // Call before the program sets TEXT into the field, so that it is not refused.
    void AllowProgramText(const QString& text);

    State validate(QString& input, int& pos) const override;

    static int CharacterCount(const QString& text);

private:
    int m_cap;
    const FieldTable::Row* m_row;
    // The cap, or the length of a longer text the program put in.
    int m_allowedLength;
    QString m_programText;
};
