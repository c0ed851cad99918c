#pragma once

#include <QKeySequence>
#include <QObject>

class QLineEdit;

// Sends the form's Undo key on from a text field that has nothing of its own left to undo. A
// field takes the key for its own typing first; once that is all undone, the same key brings
// back what was last loaded or saved, as the menu's Undo does.
class CFieldUndoRouter : public QObject {
public:
    // UNDOKEY is the key of the menu's Undo.
    CFieldUndoRouter(const QKeySequence& undoKey, QObject* parent);

    void Watch(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QKeySequence m_undoKey;
};
