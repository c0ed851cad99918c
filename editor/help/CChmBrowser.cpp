#include "CChmBrowser.h"

#include "ChmArchive.h"
#include "HelpPageStyle.h"

#include <QEvent>
#include <QTextDocument>

namespace {

const QString kScheme = QStringLiteral("chm");

QString Quoted(const QString& text) {
    return QStringLiteral("\u201c%1\u201d").arg(text.toHtmlEscaped());
}

// Set out like the help pages, so that a missing page does not look like a broken window.
QString MessagePage(const QString& heading, const QString& text, const QPalette& palette) {
    return QStringLiteral("<html><head><style>body { margin: 12px 18px; } h2 { color: #155e75; }"
                          "%1</style></head><body><h2>%2</h2><p>%3</p></body></html>")
        .arg(QString::fromLatin1(HelpPageStyle::Overrides(palette)), heading.toHtmlEscaped(), text);
}

} // namespace

CChmBrowser::CChmBrowser(QWidget* parent) : QTextBrowser(parent) {}

CChmBrowser::~CChmBrowser() = default;

QUrl CChmBrowser::PageUrl(const QString& page) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(page);
    return url;
}

void CChmBrowser::Open(const QString& archivePath, const QString& page) {
    if (!m_archive || m_archive->Path() != archivePath || !m_archive->IsOpen()) {
        m_archive = std::make_unique<ChmArchive>(archivePath);
    }
    if (!m_archive->IsOpen()) {
        clearHistory();
        ShowMessage(tr("Help is not available"),
                    tr("The help file %1 is missing or damaged. It belongs in the program's "
                       "folder; installing the program again puts it back.")
                        .arg(Quoted(archivePath)));
        return;
    }
    const QUrl url = PageUrl(page);
    if (source() == url) {
        reload(); // the browser would keep a message page shown in the meantime
    } else {
        setSource(url);
    }
}

QVariant CChmBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != kScheme || !m_archive) {
        return QTextBrowser::loadResource(type, name);
    }
    if (auto bytes = m_archive->Read(name.path())) {
        if (type == QTextDocument::StyleSheetResource)
            bytes->append(HelpPageStyle::Overrides(palette()));
        return *bytes;
    }
    if (type == QTextDocument::HtmlResource) {
        return MessagePage(tr("Page not found"),
                           tr("The page %1 is not in the help file %2.")
                               .arg(Quoted(name.path()), Quoted(m_archive->Path())),
                           palette());
    }
    return {};
}

void CChmBrowser::changeEvent(QEvent* event) {
    QTextBrowser::changeEvent(event);
    // The desktop turned light or dark: the page is set out again in its colours.
    if (event->type() == QEvent::PaletteChange && !source().isEmpty())
        reload();
}

void CChmBrowser::ShowMessage(const QString& heading, const QString& text) {
    setHtml(MessagePage(heading, text, palette()));
}
