#pragma once

#include "CoverPicture.h"

#include <QFrame>
#include <QImage>

#include <cstddef>
#include <optional>

// The form's cover: the picture scaled into its square, "No cover" when there is none. Its
// context menu (also on the menu key), Enter and Delete ask for the cover commands, and an image
// file dropped on it asks to become the cover; what happens is the window's business. It holds
// the cover the form shows, as the text fields hold their texts.
class CCoverView : public QFrame {
    Q_OBJECT
public:
    explicit CCoverView(QWidget* parent);

    const std::optional<CoverPicture>& Cover() const { return m_cover; }
    // Shows COVER, or "No cover"; a picture that cannot be decoded shows its MIME type.
    void SetCover(const std::optional<CoverPicture>& cover);
    // Shows COVER if it can be decoded; false, and nothing changed, when it cannot.
    bool TrySetCover(const CoverPicture& cover);
    // Shows that the files the form edits hold COUNT different covers, and no picture.
    void ShowDifferent(std::size_t count);
    // Whether the square still says the covers differ: no cover was set or removed since.
    bool ShowsDifferent() const { return m_different > 0; }
    // Whether the cover may be replaced or removed: a file is shown and may be saved, or several.
    void SetEditable(bool editable);
    bool IsEditable() const { return m_editable; }
    // Whether there is a cover to remove: the one shown, or the different ones of several files.
    bool CanRemove() const { return m_editable && (m_cover.has_value() || ShowsDifferent()); }

signals:
    // ID_COVER_REPLACE, ID_COVER_REMOVE or ID_COVER_SAVE_AS.
    void commandRequested(int id);
    void fileDropped(const QString& path);
    // The cover shown, or whether it may be edited, changed.
    void coverChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QImage Decoded(const CoverPicture& cover) const;
    void Show(const std::optional<CoverPicture>& cover, QImage image, std::size_t different = 0);
    QString DifferentText() const;
    QString DroppedFile(const QDropEvent& event) const;

    std::optional<CoverPicture> m_cover;
    QImage m_image; // scaled to the square in device pixels; null when nothing can be drawn
    std::size_t m_different = 0; // how many different covers the square says there are
    bool m_editable = false;
    bool m_dropping = false;
};
