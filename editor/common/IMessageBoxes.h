#pragma once

#include <QString>

// Every message box of the editor window goes through this interface, so that tests can
// answer questions and record what the user would have been told.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;

    enum class Icon { None, Information, Warning, Critical };
    enum class Answer { Yes, No, Cancel };

    // The program's own question: caption "Melvora", Yes and No, question icon.
    // True only when the user answers Yes.
    virtual bool Ask(const QString& text) = 0;

    // The same question with a third way out: Yes, No and Cancel, where Cancel (and Escape)
    // means "neither: go back to what I was doing".
    virtual Answer AskYesNoCancel(const QString& text) = 0;

    // The program's own notice: caption "Melvora", a lone OK button, the icon that fits it.
    virtual void Notify(const QString& text, Icon icon) = 0;

    // The application message box: caption = the application's name, OK button.
    virtual void AppMessage(const QString& text, Icon icon) = 0;
};
