#pragma once

#include "ToolBarBitmap.h"

#include <QList>
#include <QToolBar>

// A flat toolbar whose buttons carry a text label under the picture, taken from the command
// string table, and whose buttons all share the size of the largest one.
class CLabelToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CLabelToolBar(QWidget* parent);

    // Builds the buttons of toolbar resource `toolBarId` with the pictures of the bitmap that
    // comes with it, labels them and sizes them. False when the resource or its bitmap is
    // missing; the toolbar is then left empty.
    bool LoadToolBarWithLabels(int toolBarId);

    // The pictures of the buttons, one per button in order, and those shown under the mouse.
    void SetImageList(const QList<ToolBarBitmap::Picture>& pictures);
    void SetHotImageList(const QList<ToolBarBitmap::Picture>& pictures);

    bool ShowsTextLabels() const { return m_bShowTextLabels; }

signals:
    // A button was pressed; `commandId` is the command it stands for.
    void commandRequested(int commandId);

private:
    QList<QAction*> ButtonActions() const;
    void LabelButtons();
    void SizeButtons();
    void UpdateIcons();

    bool m_bShowTextLabels = true;
    QList<ToolBarBitmap::Picture> m_imgNormal;
    QList<ToolBarBitmap::Picture> m_imgHot;
};
