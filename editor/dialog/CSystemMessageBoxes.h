#pragma once

#include "IMessageBoxes.h"

// The real message boxes: parentless QMessageBox, as the rest of the desktop shows them.
class CSystemMessageBoxes : public IMessageBoxes {
public:
    bool Ask(const QString& text) override;
    Answer AskYesNoCancel(const QString& text) override;
    void Notify(const QString& text, Icon icon) override;
    void AppMessage(const QString& text, Icon icon) override;
};
