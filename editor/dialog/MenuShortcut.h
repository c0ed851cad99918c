#pragma once

#include <QKeySequence>
#include <QList>

// The key a menu entry shows and answers to. Some platform themes give no key for a standard
// command (Quit among them); the entry then takes the key users know from everywhere else.
namespace MenuShortcut {

// The platform's first key for KEY, or the usual one where the platform has none.
QKeySequence For(QKeySequence::StandardKey key);
// The same, with the platform's keys for KEY given.
QKeySequence For(QKeySequence::StandardKey key, const QList<QKeySequence>& platformKeys);

} // namespace MenuShortcut
