#include "MenuShortcut.h"

#include <utility>

namespace MenuShortcut {

namespace {

// The keys of the standard commands the menus show, as most desktops bind them.
QKeySequence UsualKey(QKeySequence::StandardKey key) {
    static const std::pair<QKeySequence::StandardKey, QKeyCombination> kUsual[] = {
        {QKeySequence::New, Qt::CTRL | Qt::Key_N},
        {QKeySequence::Open, Qt::CTRL | Qt::Key_O},
        {QKeySequence::Save, Qt::CTRL | Qt::Key_S},
        {QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
        {QKeySequence::Undo, Qt::CTRL | Qt::Key_Z},
        {QKeySequence::HelpContents, QKeyCombination(Qt::Key_F1)},
    };
    for (const auto& [standard, combination] : kUsual) {
        if (standard == key)
            return QKeySequence(combination);
    }
    return {};
}

} // namespace

QKeySequence For(QKeySequence::StandardKey key) {
    return For(key, QKeySequence::keyBindings(key));
}

QKeySequence For(QKeySequence::StandardKey key, const QList<QKeySequence>& platformKeys) {
    for (const QKeySequence& platformKey : platformKeys) {
        if (!platformKey.isEmpty())
            return platformKey;
    }
    return UsualKey(key);
}

} // namespace MenuShortcut
