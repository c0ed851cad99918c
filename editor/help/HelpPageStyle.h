#pragma once

#include <QByteArray>

class QPalette;

// The help pages are written in dark text for a light page. On a dark palette they are shown
// light on dark instead, in the palette's own colours, with their accents turned to ones that
// read there.
namespace HelpPageStyle {

// Light text on a dark page.
bool IsDark(const QPalette& palette);

// Style rules that go after a page's own style sheet: none for a light palette.
QByteArray Overrides(const QPalette& palette);

} // namespace HelpPageStyle
