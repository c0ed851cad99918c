#pragma once

#include "IMediaPlayerFactory.h"

#include <QRect>

class QWidget;

// Makes each player a play bar inside the editor window, always in the same place. The window
// owns the bar; the player handed out is a handle on it (CPlayBarHandle).
class CMediaWindowFactory : public IMediaPlayerFactory {
public:
    CMediaWindowFactory(QWidget* parent, QRect geometry);

    std::unique_ptr<IMediaPlayer> Create(const QString& path) override;

private:
    QWidget* m_parent;
    QRect m_geometry;
};
