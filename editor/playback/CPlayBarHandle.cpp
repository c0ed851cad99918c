#include "CPlayBarHandle.h"

CPlayBarHandle::~CPlayBarHandle() {
    delete m_bar.data();
}

void CPlayBarHandle::Forward(void (CMediaWindow::*request)()) {
    if (m_bar)
        (m_bar->*request)();
}
