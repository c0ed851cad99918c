#pragma once

#include "IMediaPlayer.h"

#include <QString>

#include <memory>

// Makes the player for one file, opened and ready to play. Tests put a silent, counting one here.
class IMediaPlayerFactory {
public:
    virtual ~IMediaPlayerFactory() = default;

    // An empty path still gives a player: one that has nothing to play.
    virtual std::unique_ptr<IMediaPlayer> Create(const QString& path) = 0;
};
