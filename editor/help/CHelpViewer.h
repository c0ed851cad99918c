#pragma once

#include <QWidget>

class CChmBrowser;

// The program's help window: pages of the compiled help file with Back, Forward and Contents.
class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* parent = nullptr);

    // Shows a help location "FOLDER/quillet.chm::/index.html" and brings the window forward.
    void Open(const QString& location);

    CChmBrowser* Browser() const { return m_browser; }

private:
    CChmBrowser* m_browser;
    QString m_archivePath;
};
