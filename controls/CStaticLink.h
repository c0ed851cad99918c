#pragma once

#include "LinkVisit.h"

#include <QColor>
#include <QLabel>

class CHandCursor;
class ILinkShell;

// A label that is a web link: blue and underlined, a hand pointer over it, a click opens the
// target with the desktop's handler, and it turns purple once that worked.
class CStaticLink : public QLabel {
    Q_OBJECT
public:
    inline static const QColor s_crNotOpened{0, 0, 255};
    inline static const QColor s_crOpened{128, 0, 128};

    explicit CStaticLink(const QString& target = QString(), QWidget* parent = nullptr);

    const QString& Target() const { return m_visit.Target(); }
    void SetTarget(const QString& target) { m_visit.SetTarget(target); }
    QColor CurrentColor() const;

    // A label whose text is shown exactly as it is, never read for a mnemonic. Such a label,
    // like one showing a picture, keeps the looks its parent gives it.
    void SetNoPrefix(bool noPrefix);
    bool NoPrefix() const { return m_bNoPrefix; }

    // How every link of the process opens its target, beeps and gets its pointer; nullptr
    // brings back the desktop's. The caller keeps `shell` alive while it is set.
    static void SetShell(ILinkShell* shell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    bool IsDrawnAsLink() const;
    static ILinkShell& Shell();
    static CHandCursor& HandCursor();

    LinkVisit m_visit;
    bool m_bNoPrefix = false;
};
