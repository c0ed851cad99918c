#include "CFieldUndoRouter.h"

#include <QKeyEvent>
#include <QLineEdit>

CFieldUndoRouter::CFieldUndoRouter(const QKeySequence& undoKey, QObject* parent)
    : QObject(parent), m_undoKey(undoKey) {}

void CFieldUndoRouter::Watch(QLineEdit* field) {
    field->installEventFilter(this);
}

bool CFieldUndoRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || m_undoKey.isEmpty())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto* field = qobject_cast<QLineEdit*>(watched);
    // A field claims its undo key whether or not it has anything to undo; left unclaimed, the
    // key reaches the menu's shortcut instead.
    if (field != nullptr && !field->isUndoAvailable() &&
        QKeySequence(key->keyCombination()) == m_undoKey)
        return true;
    return QObject::eventFilter(watched, event);
}
