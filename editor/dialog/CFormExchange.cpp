#include "CFormExchange.h"

#include "CFieldValidator.h"
#include "FieldLimits.h"
#include "IMessageBoxes.h"

#include <QLineEdit>

#include <algorithm>

void CFormExchange::AddText(QLineEdit* edit, QString* member, int cap) {
    auto* validator = new CFieldValidator(cap, edit);
    edit->setValidator(validator);
    m_fields.push_back({edit, validator, member, QString()});
}

void CFormExchange::ToControls() {
    for (Field& field : m_fields) {
        field.programText = *field.member;
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
        // A longer text from the file may stay as it came; the cap is for what the user types.
        if (CFieldValidator::CharacterCount(*field.member) > cap &&
            *field.member != field.programText) {
            m_boxes.AppMessage(QString::fromStdString(FieldLimits::TooLongMessage(cap)),
                               IMessageBoxes::Icon::Warning);
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
    }
    return true;
}
