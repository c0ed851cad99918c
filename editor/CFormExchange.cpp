#include "CFormExchange.h"

#include "CFieldValidator.h"
#include "FieldLimits.h"
#include "IMessageBoxes.h"

#include <QLineEdit>

#include <algorithm>

void CFormExchange::AddText(QLineEdit* edit, QString* member, int cap) {
    auto* validator = new CFieldValidator(cap, edit);
    edit->setValidator(validator);
    m_fields.push_back({edit, validator, member});
}

void CFormExchange::ToControls() {
    for (const Field& field : m_fields) {
        field.validator->AllowProgramText(*field.member);
        field.edit->setText(*field.member);
        // Show a text longer than the field from its start, as it reads.
        field.edit->setCursorPosition(0);
    }
}

bool CFormExchange::FromControls() {
    for (const Field& field : m_fields) {
        *field.member = field.edit->text();
        const int cap = field.validator->Cap();
        if (field.member->size() > cap) {
            m_boxes.AppMessage(QString::fromStdString(FieldLimits::TooLongMessage(cap)),
                               IMessageBoxes::Icon::Warning);
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
    }
    return true;
}

bool CFormExchange::ControlsMatchMembers() const {
    return std::all_of(m_fields.begin(), m_fields.end(),
                       [](const Field& field) { return field.edit->text() == *field.member; });
}
