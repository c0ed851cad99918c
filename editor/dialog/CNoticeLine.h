#pragma once

#include <QWidget>

class QLabel;

// A line of warning inside the window, beside what it is about: a warning icon and a few words,
// there until the program takes them away; nothing to click, nothing to dismiss. Hidden while it
// has nothing to say.
class CNoticeLine : public QWidget {
    Q_OBJECT
public:
    explicit CNoticeLine(QWidget* parent);

    // An empty text hides the line.
    void SetText(const QString& text);
    QString Text() const;

private:
    void ShowIcon();

    QLabel* m_icon;
    QLabel* m_text;
};
