#include "CPlayback.h"

#include "IMediaPlayerFactory.h"

CPlayback::CPlayback(IMediaPlayerFactory& factory) : m_factory(factory) {}

CPlayback::~CPlayback() {
    Stop();
}

void CPlayback::Play(const QString& path) {
    Stop();
    m_player = m_factory.Create(path);
    if (m_player) {
        m_player->Play();
    }
    m_bPaused = false;
}

void CPlayback::Pause() {
    if (!m_player) {
        return;
    }
    if (m_bPaused) {
        m_player->Resume();
    } else {
        m_player->Pause();
    }
    m_bPaused = !m_bPaused;
}

void CPlayback::Stop() {
    if (!m_player) {
        return;
    }
    m_player->Stop();
    m_player->Close();
    m_player.reset();
}
