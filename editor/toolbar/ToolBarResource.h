#pragma once

#include <QSize>

#include <vector>

// A toolbar as the program's resources describe it: the image size, the bitmap that comes with
// it, and its items from left to right, where 0 stands for a separator.
struct ToolBarResource {
    static constexpr int kSeparator = 0;

    int id;
    QSize imageSize;
    int bitmapId;
    std::vector<int> items;

    // The toolbar resource with this id, or nullptr when there is none.
    static const ToolBarResource* Find(int id);
};
