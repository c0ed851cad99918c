#include "AppIcon.h"

// The resources live in a static library: registering them by hand keeps the linker from
// dropping them. (Q_INIT_RESOURCE must be used outside any namespace.)
static bool RegisterResources() {
    Q_INIT_RESOURCE(resources);
    return true;
}

namespace AppIcon {

QIcon Icon() {
    static const bool registered = RegisterResources();
    Q_UNUSED(registered);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/tageditor-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace AppIcon
