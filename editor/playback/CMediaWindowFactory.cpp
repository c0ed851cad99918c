#include "CMediaWindowFactory.h"

#include "CMediaWindow.h"
#include "CPlayBarHandle.h"

CMediaWindowFactory::CMediaWindowFactory(QWidget* parent, QRect geometry)
    : m_parent(parent), m_geometry(geometry) {}

std::unique_ptr<IMediaPlayer> CMediaWindowFactory::Create(const QString& path) {
    auto* bar = new CMediaWindow(path, m_parent);
    bar->setGeometry(m_geometry);
    bar->show();
    return std::make_unique<CPlayBarHandle>(bar);
}
