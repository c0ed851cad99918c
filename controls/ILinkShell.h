#pragma once

#include <QCursor>
#include <QString>

#include <optional>

// What a web link needs of the desktop. The program uses the desktop's own (CDesktopLinkShell);
// tests put in one that records what happens.
class ILinkShell {
public:
    virtual ~ILinkShell() = default;

    // Opens `target` (a web address, or a path) with the desktop's handler; true on success.
    virtual bool Open(const QString& target) = 0;
    // The short sound for a link that could not be opened.
    virtual void Beep() = 0;
    // The pointer shown over a link; nothing when the desktop has none to give.
    virtual std::optional<QCursor> LoadHandCursor() = 0;
};
