#include "CLabelToolBar.h"

#include "CommandStringTable.h"
#include "ToolBarLabel.h"
#include "ToolBarResource.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>
#include <QToolButton>

#include <algorithm>

namespace {

// The room a button gets around the largest label, so that no label touches the edge.
constexpr int kExtraButtonWidth = 2;
constexpr int kExtraButtonHeight = 4;

} // namespace

CLabelToolBar::CLabelToolBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    connect(this, &QToolBar::actionTriggered, this,
            [this](QAction* action) { emit commandRequested(action->data().toInt()); });
}

bool CLabelToolBar::LoadToolBarWithLabels(int toolBarId) {
    clear();
    const ToolBarResource* resource = ToolBarResource::Find(toolBarId);
    if (resource == nullptr) {
        return false;
    }
    const QList<ToolBarBitmap::Picture> pictures =
        ToolBarBitmap::LoadPictures(resource->bitmapId, resource->imageSize);
    if (pictures.isEmpty()) {
        return false;
    }
    setIconSize(resource->imageSize);
    setToolButtonStyle(m_bShowTextLabels ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    for (int item : resource->items) {
        if (item == ToolBarResource::kSeparator) {
            addSeparator();
        } else {
            addAction(QString())->setData(item);
        }
    }
    SetImageList(pictures);
    LabelButtons();
    SizeButtons();
    return true;
}

void CLabelToolBar::SetImageList(const QList<ToolBarBitmap::Picture>& pictures) {
    m_imgNormal = pictures;
    UpdateIcons();
}

void CLabelToolBar::SetHotImageList(const QList<ToolBarBitmap::Picture>& pictures) {
    m_imgHot = pictures;
    UpdateIcons();
}

QList<QAction*> CLabelToolBar::ButtonActions() const {
    QList<QAction*> buttons;
    for (QAction* action : actions()) {
        if (!action->isSeparator() && action->data().toInt() != 0) {
            buttons.append(action);
        }
    }
    return buttons;
}

void CLabelToolBar::LabelButtons() {
    for (QAction* action : ButtonActions()) {
        const QString label = ToolBarLabel(CommandStringTable::Find(action->data().toInt()));
        if (label.isEmpty()) {
            continue;
        }
        // The icon text is what the button shows; set it directly, because the one QAction
        // derives from its text is trimmed and the labels keep their blanks on purpose.
        action->setIconText(label);
        action->setToolTip(label.trimmed());
    }
}

void CLabelToolBar::SizeButtons() {
    QSize largest(0, 0);
    QList<QToolButton*> buttons;
    for (QAction* action : ButtonActions()) {
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
            buttons.append(button);
            largest = largest.expandedTo(button->sizeHint() +
                                         QSize(kExtraButtonWidth, kExtraButtonHeight));
        }
    }
    for (QToolButton* button : buttons) {
        button->setFixedSize(largest);
    }
}

void CLabelToolBar::UpdateIcons() {
    const QList<QAction*> buttons = ButtonActions();
    for (int i = 0; i < buttons.size(); ++i) {
        // Each scale of a picture goes in, so the icon draws the sharpest one for its screen.
        QIcon icon;
        for (const QImage& image : m_imgNormal.value(i))
            icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal);
        for (const QImage& image : m_imgHot.value(i))
            icon.addPixmap(QPixmap::fromImage(image), QIcon::Active);
        buttons.at(i)->setIcon(icon);
    }
}
