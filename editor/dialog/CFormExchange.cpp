#include "CFormExchange.h"

#include "CFieldValidator.h"
#include "IMessageBoxes.h"

#include <QLineEdit>

void CFormExchange::AddText(QLineEdit* edit, const FieldTable::Row& row) {
    auto* validator = new CFieldValidator(row.limit, &row, edit);
    edit->setValidator(validator);
    m_fields.push_back({edit, validator, &row});
}

void CFormExchange::ToControls(const TagFields& texts) {
    for (const Field& field : m_fields) {
        const std::string& utf8 = texts.*field.row->text;
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        field.validator->AllowProgramText(text);
        field.edit->setText(text);
        // Show a text longer than the field from its start, as it reads.
        field.edit->setCursorPosition(0);
    }
}

TagFields CFormExchange::FromControls() const {
    TagFields texts;
    for (const Field& field : m_fields)
        texts.*field.row->text = field.edit->text().toUtf8().toStdString();
    return texts;
}

QList<QLineEdit*> CFormExchange::Edits() const {
    QList<QLineEdit*> edits;
    for (const Field& field : m_fields)
        edits.append(field.edit);
    return edits;
}

void CFormExchange::ShowRefusal(const TagEditingSession::Refusal& refusal) {
    for (const Field& field : m_fields) {
        if (field.row != refusal.field)
            continue;
        m_boxes.AppMessage(QString::fromStdString(refusal.message), IMessageBoxes::Icon::Warning);
        field.edit->setFocus();
        field.edit->selectAll();
    }
}
