#pragma once

#include <QString>
#include <vector>

class IMessageBoxes;
class QLineEdit;
class CFieldValidator;

// Moves the form's texts between the dialog's members and its edit fields, in both
// directions, holding every field to its cap.
class CFormExchange {
public:
    explicit CFormExchange(IMessageBoxes& boxes) : m_boxes(boxes) {}

    // Binds EDIT to MEMBER with CAP; fields are exchanged in the order they are added.
    void AddText(QLineEdit* edit, QString* member, int cap);

    // Every member's whole text into its field.
    void ToControls();
    // Every field into its member, in order. A text over its cap is refused: the user is
    // told, the field gets the focus with its text selected, and the exchange stops there
    // (the fields before it and the refused one are already taken). False on a refusal.
    bool FromControls();
    // Whether every field still shows its member's text, as after ToControls.
    bool ControlsMatchMembers() const;

private:
    struct Field {
        QLineEdit* edit;
        CFieldValidator* validator;
        QString* member;
    };

    IMessageBoxes& m_boxes;
    std::vector<Field> m_fields;
};
