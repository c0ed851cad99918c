#pragma once

#include <QValidator>

// The input rule of one form field: no more characters than the field's cap, counted as the user
// sees them (a character outside the Basic Multilingual Plane counts once). A longer text that
// the program put in (a long title read from a file) is kept whole; the user may edit it but
// never make it longer than it came. (The allowance stays until the program sets the next text,
// so the field's own undo can always bring the text back.)
class CFieldValidator : public QValidator {
    Q_OBJECT
public:
    CFieldValidator(int cap, QObject* parent = nullptr);

    int Cap() const { return m_cap; }

    // Call before the program sets TEXT into the field, so that it is not refused.
    void AllowProgramText(const QString& text);

    State validate(QString& input, int& pos) const override;

    static int CharacterCount(const QString& text);

private:
    int m_cap;
    // The cap, or the length of a longer text the program put in.
    int m_allowedLength;
};
