#include "HelpPageStyle.h"

#include <QPalette>

namespace HelpPageStyle {

bool IsDark(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

QByteArray Overrides(const QPalette& palette) {
    if (!IsDark(palette))
        return {};
    // The pages' teal, blue and pale fills, at the same hues, lightened or darkened for a dark
    // page.
    return QByteArrayLiteral("\nbody { color: ") + palette.color(QPalette::Text).name().toLatin1() +
           QByteArrayLiteral("; }\n"
                             "h1, h2 { color: #6cc3d5; }\n"
                             "a { color: #7fb7f5; }\n"
                             "table.fields, table.fields td { border-color: #3c6470; }\n"
                             "table.fields th, .note { background-color: #22343a; "
                             "border-color: #3c6470; }\n");
}

} // namespace HelpPageStyle
