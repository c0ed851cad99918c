#include "CFieldValidator.h"

#include "FieldLimits.h"

#include <algorithm>

CFieldValidator::CFieldValidator(int cap, const FieldTable::Row* row, QObject* parent)
    : QValidator(parent), m_cap(cap), m_row(row), m_allowedLength(cap) {}

void CFieldValidator::AllowProgramText(const QString& text) {
    m_allowedLength = std::max(m_cap, CharacterCount(text));
    m_programText = text;
}

QValidator::State CFieldValidator::validate(QString& input, int& /*pos*/) const {
    if (CharacterCount(input) > m_allowedLength)
        return Invalid;
    if (m_row == nullptr || input == m_programText)
        return Acceptable;
    return FieldLimits::MayBecomeValue(*m_row, input.toStdString()) ? Acceptable : Invalid;
}

int CFieldValidator::CharacterCount(const QString& text) {
    // Code points: the two halves of a surrogate pair are one character.
    return static_cast<int>(text.toUcs4().size());
}
