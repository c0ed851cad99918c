#pragma once

#include "IMessageBoxes.h"

#include <QStringList>

// Answers every question with a set answer and records what the user would have seen.
class FakeMessageBoxes : public IMessageBoxes {
public:
    bool answer = true;
    Answer threeWayAnswer = Answer::Cancel;
    QStringList questions;
    QStringList notices;
    QList<Icon> noticeIcons;
    QStringList appMessages;
    QList<Icon> appIcons;

    bool Ask(const QString& text) override {
        questions << text;
        return answer;
    }
    Answer AskYesNoCancel(const QString& text) override {
        questions << text;
        return threeWayAnswer;
    }
    void Notify(const QString& text, Icon icon) override {
        notices << text;
        noticeIcons << icon;
    }
    void AppMessage(const QString& text, Icon icon) override {
        appMessages << text;
        appIcons << icon;
    }
    bool Silent() const {
        return questions.isEmpty() && notices.isEmpty() && appMessages.isEmpty();
    }
};
