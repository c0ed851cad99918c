#pragma once

#include <QIcon>

// The application's icon (icon 128), drawn for each size it is shown at.
namespace AppIcon {

QIcon Icon();

} // namespace AppIcon
