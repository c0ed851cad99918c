#include "CHelpViewer.h"

#include "CChmBrowser.h"
#include "ChmLocation.h"

#include <QAction>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kFirstPage = QStringLiteral("/index.html");

} // namespace

CHelpViewer::CHelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new CChmBrowser) {
    setWindowTitle(tr("Varlen MP3 Tag Editor Help"));
    resize(620, 560);

    auto* toolBar = new QToolBar;
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"),
                                       m_browser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                          tr("Forward"), m_browser, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Contents"), this,
                       [this] { m_browser->Open(m_archivePath, kFirstPage); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* closeShortcut = new QShortcut(QKeySequence::Cancel, this);
    connect(closeShortcut, &QShortcut::activated, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_browser);
}

void CHelpViewer::Open(const QString& location) {
    const ChmLocation parsed = ChmLocation::Parse(location);
    m_archivePath = parsed.archivePath;
    m_browser->Open(parsed.archivePath, parsed.page);
    show();
    raise();
    activateWindow();
}
