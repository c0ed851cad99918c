#pragma once

#include "IMediaPlayer.h"

#include <QString>

#include <memory>

class IMediaPlayerFactory;

// The editor's playback: at most one player at a time, and a pause request that alternates
// between pausing and resuming, counted from the last Play.
class CPlayback {
public:
    explicit CPlayback(IMediaPlayerFactory& factory);
    ~CPlayback();

    CPlayback(const CPlayback&) = delete;
    CPlayback& operator=(const CPlayback&) = delete;

    // Replaces any playback with a new one of `path` and starts it.
    void Play(const QString& path);
    // Pauses, or resumes when the last request paused. Without a player nothing happens.
    void Pause();
    // Stops and closes the player, if there is one.
    void Stop();

    bool HasPlayer() const { return m_player != nullptr; }
    bool IsPaused() const { return m_bPaused; }

private:
    IMediaPlayerFactory& m_factory;
    std::unique_ptr<IMediaPlayer> m_player;
    bool m_bPaused = false;
};
