#pragma once

#include <QString>
#include <vector>

class IMessageBoxes;
class QLineEdit;
class CFieldValidator;

// Moves the form's texts between the dialog's members and its edit fields, in both
// directions, holding what the user types to every field's cap.
class CFormExchange {
public:
    explicit CFormExchange(IMessageBoxes& boxes) : m_boxes(boxes) {}

    // Binds EDIT to MEMBER with CAP; fields are exchanged in the order they are added.
    void AddText(QLineEdit* edit, QString* member, int cap);

    // Every member's whole text into its field.
    void ToControls();
    // Every field into its member, in order. A text over its cap that differs from the one the
    // program last put in is refused: the user is told, the field gets the focus with its text
    // selected, and the exchange stops there (the fields before it and the refused one are
    // already taken). False on a refusal.
    bool FromControls();

private:
    struct Field {
        QLineEdit* edit;
        CFieldValidator* validator;
        QString* member;
        QString programText; // what ToControls last put in
    };

    IMessageBoxes& m_boxes;
    std::vector<Field> m_fields;
};
