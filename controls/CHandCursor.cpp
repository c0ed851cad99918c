#include "CHandCursor.h"

#include <utility>

CHandCursor::CHandCursor(Loader loader) : m_loader(std::move(loader)) {}

const QCursor* CHandCursor::Get() {
    if (!m_bTried) {
        m_bTried = true;
        m_hCursor = m_loader();
    }
    return m_hCursor ? &*m_hCursor : nullptr;
}
