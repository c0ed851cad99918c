#pragma once

#include <QTextBrowser>

#include <memory>

class ChmArchive;

// A text browser whose pages, style sheets and pictures come out of one compiled help archive.
// Links between pages stay inside the archive; what cannot be found is said on the page.
class CChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit CChmBrowser(QWidget* parent = nullptr);
    ~CChmBrowser() override;

    // Shows `page` ("/index.html") of the archive at `archivePath`, or a page saying why not.
    void Open(const QString& archivePath, const QString& page);

    // The address under which a page of the open archive is shown.
    static QUrl PageUrl(const QString& page);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void ShowMessage(const QString& heading, const QString& text);

    std::unique_ptr<ChmArchive> m_archive;
};
