#pragma once

#include "TagEditingSession.h"

#include <QList>

#include <vector>

class IMessageBoxes;
class QLineEdit;
class CFieldValidator;

// Moves the form's texts between the session's values and the form's edit fields, one field
// per row of the field table, holding what the user types to every field's rule. The fields
// own what the user sees; nothing is kept here but which field shows which row.
class CFormExchange {
public:
    explicit CFormExchange(IMessageBoxes& boxes) : m_boxes(boxes) {}

    // Binds EDIT to the text field ROW.
    void AddText(QLineEdit* edit, const FieldTable::Row& row);

    // Every text of TEXTS whole into its field.
    void ToControls(const TagFields& texts);
    // What the fields show now.
    TagFields FromControls() const;
    // The edit fields, in the order they were added.
    QList<QLineEdit*> Edits() const;
    // Tells the user why REFUSAL's field cannot be saved, and gives that field the focus with
    // its text selected.
    void ShowRefusal(const TagEditingSession::Refusal& refusal);

private:
    struct Field {
        QLineEdit* edit;
        CFieldValidator* validator;
        const FieldTable::Row* row;
    };

    IMessageBoxes& m_boxes;
    std::vector<Field> m_fields;
};
