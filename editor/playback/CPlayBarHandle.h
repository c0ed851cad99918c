#pragma once

#include "IMediaPlayer.h"

#include <QPointer>

class CMediaWindow;

// The playback's hold on one play bar. The bar is a child of the editor window, and the window
// alone owns it: the handle only reaches it, and takes it down when the playback lets go of it.
// A bar that has already gone with its window is simply no longer reached, so it does not
// matter which of the two goes first.
class CPlayBarHandle : public IMediaPlayer {
public:
    explicit CPlayBarHandle(CMediaWindow* bar);
    ~CPlayBarHandle() override;

    CPlayBarHandle(const CPlayBarHandle&) = delete;
    CPlayBarHandle& operator=(const CPlayBarHandle&) = delete;

    void Play() override;
    void Pause() override;
    void Resume() override;
    void Stop() override;
    void Close() override;

private:
    QPointer<CMediaWindow> m_bar;
};
