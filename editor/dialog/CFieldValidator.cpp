#include "CFieldValidator.h"

#include <algorithm>

CFieldValidator::CFieldValidator(int cap, QObject* parent)
    : QValidator(parent), m_cap(cap), m_allowedLength(cap) {}

void CFieldValidator::AllowProgramText(const QString& text) {
    m_allowedLength = std::max(m_cap, CharacterCount(text));
}

QValidator::State CFieldValidator::validate(QString& input, int& /*pos*/) const {
    return CharacterCount(input) <= m_allowedLength ? Acceptable : Invalid;
}

int CFieldValidator::CharacterCount(const QString& text) {
    // Code points: the two halves of a surrogate pair are one character.
    return static_cast<int>(text.toUcs4().size());
}
