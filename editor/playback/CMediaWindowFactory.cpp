#include "CMediaWindowFactory.h"

#include "CMediaWindow.h"

CMediaWindowFactory::CMediaWindowFactory(QWidget* parent, QRect geometry)
    : m_parent(parent), m_geometry(geometry) {}

std::unique_ptr<IMediaPlayer> CMediaWindowFactory::Create(const QString& path) {
    auto window = std::make_unique<CMediaWindow>(path, m_parent);
    window->setGeometry(m_geometry);
    window->show();
    return window;
}
