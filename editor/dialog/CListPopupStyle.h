#pragma once

#include <QProxyStyle>

// The widget's own style with one change for drop-down lists: they open as a scrolling list of
// a few rows under the box (QComboBox::maxVisibleItems), never as a menu as tall as the screen.
class CListPopupStyle : public QProxyStyle {
    Q_OBJECT
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};
