#pragma once

#include "IMediaPlayerFactory.h"

#include <QString>
#include <QStringList>

#include <memory>

// Plays nothing: writes every request into one log, in order, e.g.
// "create song.mp3", "play", "pause", "stop", "close".
class FakeMediaPlayerFactory : public IMediaPlayerFactory {
public:
    std::unique_ptr<IMediaPlayer> Create(const QString& path) override {
        m_log.append(QStringLiteral("create ") + path);
        return std::make_unique<Player>(m_log);
    }

    const QStringList& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

private:
    class Player : public IMediaPlayer {
    public:
        explicit Player(QStringList& log) : m_log(log) {}
        void Play() override { m_log.append(QStringLiteral("play")); }
        void Pause() override { m_log.append(QStringLiteral("pause")); }
        void Resume() override { m_log.append(QStringLiteral("resume")); }
        void Stop() override { m_log.append(QStringLiteral("stop")); }
        void Close() override { m_log.append(QStringLiteral("close")); }

    private:
        QStringList& m_log;
    };

    QStringList m_log;
};
