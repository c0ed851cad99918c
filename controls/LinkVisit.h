#pragma once

#include <QString>

#include <functional>

// What a web link remembers: where it leads and whether it has been opened. A link that was
// never given a target opens its own text, and keeps that as its target. Needs no window.
class LinkVisit {
public:
    enum class Outcome {
        NothingToOpen, // neither a target nor a text
        Opened,
        Failed,
    };
    using Opener = std::function<bool(const QString& target)>;

    explicit LinkVisit(const QString& target = QString());

    const QString& Target() const { return m_strTarget; }
    void SetTarget(const QString& target) { m_strTarget = target; }

    // Visited from the first successful open on, for good: a failure later does not undo it.
    bool Visited() const { return m_bVisited; }

    Outcome Click(const QString& windowText, const Opener& open);

private:
    QString m_strTarget;
    bool m_bVisited = false;
};
