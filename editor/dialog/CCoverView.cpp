#include "CCoverView.h"

#include "CoverDescription.h"
#include "EditorIds.h"
#include "EditorTexts.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QImageReader>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

using namespace EditorIds;

CCoverView::CCoverView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    SetCover(std::nullopt);
}

void CCoverView::SetCover(const std::optional<CoverPicture>& cover) {
    Show(cover, cover ? Decoded(*cover) : QImage());
}

bool CCoverView::TrySetCover(const CoverPicture& cover) {
    QImage image = Decoded(cover);
    if (image.isNull())
        return false;
    Show(cover, std::move(image));
    return true;
}

void CCoverView::ShowDifferent(std::size_t count) {
    Show(std::nullopt, QImage(), count);
}

void CCoverView::SetEditable(bool editable) {
    m_editable = editable;
    emit coverChanged();
}

void CCoverView::Show(const std::optional<CoverPicture>& cover, QImage image,
                      std::size_t different) {
    m_cover = cover;
    m_image = std::move(image);
    m_different = different;
    setToolTip(cover ? CoverDescription::ToolTip(*cover) : DifferentText());
    update();
    emit coverChanged();
}

QString CCoverView::DifferentText() const {
    return m_different > 0 ? EditorTexts::tr(EditorTexts::kDifferentCovers).arg(m_different)
                           : QString();
}

// Only the header is read for the size; the reader then decodes straight to the square's size,
// which for a JPEG skips most of the work of a large picture.
QImage CCoverView::Decoded(const CoverPicture& cover) const {
    QByteArray bytes =
        QByteArray::fromRawData(cover.Bytes().data(), static_cast<qsizetype>(cover.Size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    const qreal ratio = devicePixelRatioF();
    const QSize box = contentsRect().size() * ratio;
    // Never larger than the picture itself: a small cover sits in the middle of the square.
    if (size.width() > box.width() || size.height() > box.height())
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    QImage image = reader.read();
    image.setDevicePixelRatio(ratio);
    return image;
}

void CCoverView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    // After a move to a screen of another scale, the picture is decoded afresh for it.
    if (!m_image.isNull() && m_image.devicePixelRatio() != devicePixelRatioF())
        m_image = Decoded(*m_cover);
    QPainter painter(this);
    const QRect inside = contentsRect();
    // Empty, the square looks like the fields beside it; under a drop, it lights up.
    painter.fillRect(inside, m_dropping ? palette().color(QPalette::Highlight).lighter(170)
                                        : palette().color(QPalette::Base));
    if (!m_image.isNull()) {
        const QSize shown = m_image.deviceIndependentSize().toSize();
        QRect target(QPoint(), shown);
        target.moveCenter(inside.center());
        painter.drawImage(target, m_image);
    } else {
        QString text = DifferentText();
        if (text.isEmpty())
            text = m_cover ? QString::fromLatin1(m_cover->mimeType.c_str())
                           : EditorTexts::tr(EditorTexts::kNoCover);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        // A margin like a field's, so that a long text breaks rather than touch the frame.
        const int margin = fontMetrics().averageCharWidth();
        painter.drawText(inside.adjusted(margin, margin, -margin, -margin),
                         Qt::AlignCenter | Qt::TextWordWrap, text);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inside.adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CCoverView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const auto add = [this, &menu](const char* text, int id, bool enabled) {
        QAction* action = menu.addAction(EditorTexts::tr(text));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, id] { emit commandRequested(id); });
    };
    add(EditorTexts::kMenuReplaceCover, ID_COVER_REPLACE, m_editable);
    add(EditorTexts::kMenuRemoveCover, ID_COVER_REMOVE, CanRemove());
    add(EditorTexts::kMenuSaveCoverAs, ID_COVER_SAVE_AS, m_cover.has_value());
    // From the keyboard the menu opens at the square, not wherever the mouse is.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? mapToGlobal(contentsRect().center())
                          : event->globalPos();
    menu.exec(at);
}

void CCoverView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_editable)
            emit commandRequested(ID_COVER_REPLACE);
        break;
    case Qt::Key_Delete:
        if (CanRemove())
            emit commandRequested(ID_COVER_REMOVE);
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

QString CCoverView::DroppedFile(const QDropEvent& event) const {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (!m_editable || urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    return urls.front().toLocalFile();
}

void CCoverView::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(*event).isEmpty())
        return;
    event->acceptProposedAction();
    m_dropping = true;
    update();
}

void CCoverView::dragLeaveEvent(QDragLeaveEvent* event) {
    QFrame::dragLeaveEvent(event);
    m_dropping = false;
    update();
}

void CCoverView::dropEvent(QDropEvent* event) {
    m_dropping = false;
    update();
    const QString path = DroppedFile(*event);
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(path);
}
