#include "CNoticeLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

CNoticeLine::CNoticeLine(QWidget* parent)
    : QWidget(parent), m_icon(new QLabel(this)), m_text(new QLabel(this)) {
    m_icon->setAlignment(Qt::AlignTop);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_icon);
    layout->addWidget(m_text, 1);
    hide();
}

void CNoticeLine::SetText(const QString& text) {
    // Drawn afresh each time, for the style and the screen the window has now.
    ShowIcon();
    m_text->setText(text);
    // The line has room for two rows of text; the whole of a longer one is a hover away.
    m_text->setToolTip(text);
    setVisible(!text.isEmpty());
}

QString CNoticeLine::Text() const {
    return m_text->text();
}

void CNoticeLine::ShowIcon() {
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_icon->setPixmap(style()
                          ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                          .pixmap(QSize(size, size), devicePixelRatioF()));
}
