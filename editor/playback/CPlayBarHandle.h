#pragma once

#include "CMediaWindow.h"
#include "IMediaPlayer.h"

#include <QPointer>

// The playback's hold on one play bar. The bar is a child of the editor window, and the window
// alone owns it: the handle only reaches it, and takes it down when the playback lets go of it.
// A bar that has already gone with its window is simply no longer reached, so it does not
// matter which of the two goes first.
class CPlayBarHandle : public IMediaPlayer {
public:
    explicit CPlayBarHandle(CMediaWindow* bar) : m_bar(bar) {}
    ~CPlayBarHandle() override;

    CPlayBarHandle(const CPlayBarHandle&) = delete;
    CPlayBarHandle& operator=(const CPlayBarHandle&) = delete;

    void Play() override { Forward(&CMediaWindow::Play); }
    void Pause() override { Forward(&CMediaWindow::Pause); }
    void Resume() override { Forward(&CMediaWindow::Resume); }
    void Stop() override { Forward(&CMediaWindow::Stop); }
    void Close() override { Forward(&CMediaWindow::Close); }

private:
    void Forward(void (CMediaWindow::*request)());

    QPointer<CMediaWindow> m_bar;
};
