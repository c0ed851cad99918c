#include "CFieldValidator.h"

#include <algorithm>

CFieldValidator::CFieldValidator(int cap, QObject* parent)
    : QValidator(parent), m_cap(cap), m_allowedLength(cap) {}

void CFieldValidator::AllowProgramText(const QString& text) {
    m_allowedLength = std::max(m_cap, static_cast<int>(text.size()));
}

QValidator::State CFieldValidator::validate(QString& input, int& /*pos*/) const {
    return IsLatin1(input) && input.size() <= m_allowedLength ? Acceptable : Invalid;
}

bool CFieldValidator::IsLatin1(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}
