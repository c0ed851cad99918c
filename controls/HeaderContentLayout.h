#pragma once

#include "HeaderGeometry.h"

#include <optional>

// Where one header item's image, text, bitmap and sort arrow go inside its content room.
// Parts are placed one after another, each narrowing the room; a part that does not fit is
// left out and takes no room.
namespace HeaderContentLayout {

enum class Justification { Left, Right, Center };

struct PartSize {
    int width = 0;
    int height = 0;
};

struct Parts {
    Justification justification = Justification::Left;
    std::optional<PartSize> image;
    std::optional<int> textWidth; // measured width of the whole text; empty when there is none
    std::optional<PartSize> bitmap;
    bool bitmapOnRight = false;
};

struct Placement {
    std::optional<HeaderRect> image;
    std::optional<HeaderRect> text; // the room the text is aligned and elided in
    std::optional<HeaderRect> bitmap;
    std::optional<HeaderRect> arrow; // the arrow's square box
};

struct Metrics {
    int spacing = 6;
    int arrowWidth = 8;
    int arrowHeight = 8;
};

Placement Place(const HeaderRect& room, const Parts& parts, bool sorted, const Metrics& metrics);

} // namespace HeaderContentLayout
