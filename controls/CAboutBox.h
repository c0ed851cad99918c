#pragma once

#include "CStaticLink.h"

#include <QDialog>

// The about box: the program's icon, name and version, its maker, the rights notice and the
// maker's web address as a link. Shown with exec(); each showing starts with an unvisited link.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);

    static const char* const kWebAddress;

private:
    CStaticLink m_webLink;
};
