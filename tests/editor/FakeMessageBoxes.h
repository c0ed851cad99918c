#pragma once

#include "IMessageBoxes.h"

#include <QStringList>

// Answers every question with a set answer and records what the user would have seen.
class FakeMessageBoxes : public IMessageBoxes {
public:
    bool answer = true;
    QStringList questions;
    QStringList notices;
    QStringList appMessages;
    QList<Icon> appIcons;

    bool Ask(const QString& text) override {
        questions << text;
        return answer;
    }
    void Notify(const QString& text) override { notices << text; }
    void AppMessage(const QString& text, Icon icon) override {
        appMessages << text;
        appIcons << icon;
    }
    bool Silent() const {
        return questions.isEmpty() && notices.isEmpty() && appMessages.isEmpty();
    }
};
