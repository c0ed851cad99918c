#pragma once

#include "ILinkShell.h"

// Opens links with the desktop's default handler (a browser for web addresses).
class CDesktopLinkShell : public ILinkShell {
public:
    bool Open(const QString& target) override;
    void Beep() override;
    std::optional<QCursor> LoadHandCursor() override;
};
