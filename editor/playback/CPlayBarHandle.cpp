#include "CPlayBarHandle.h"

#include "CMediaWindow.h"

CPlayBarHandle::CPlayBarHandle(CMediaWindow* bar) : m_bar(bar) {}

CPlayBarHandle::~CPlayBarHandle() {
    delete m_bar.data();
}

void CPlayBarHandle::Play() {
    if (m_bar)
        m_bar->Play();
}

void CPlayBarHandle::Pause() {
    if (m_bar)
        m_bar->Pause();
}

void CPlayBarHandle::Resume() {
    if (m_bar)
        m_bar->Resume();
}

void CPlayBarHandle::Stop() {
    if (m_bar)
        m_bar->Stop();
}

void CPlayBarHandle::Close() {
    if (m_bar)
        m_bar->Close();
}
