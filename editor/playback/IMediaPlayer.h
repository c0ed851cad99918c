#pragma once

// One playback of one file, as the editor drives it. Results are not reported back: what goes
// wrong is for the player to tell the user.
class IMediaPlayer {
public:
    virtual ~IMediaPlayer() = default;

    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
    // Ends the playback for good; the owner destroys the player right after.
    virtual void Close() = 0;
};
