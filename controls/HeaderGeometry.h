#pragma once

// Coordinates as the header arithmetic sees them. Right and bottom edges lie one past the last
// pixel, so that width = right - left and adjoining items share an edge value.

struct HeaderPoint {
    int x = 0;
    int y = 0;
    bool operator==(const HeaderPoint& other) const { return x == other.x && y == other.y; }
};

struct HeaderRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const HeaderRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// The horizontal extent of one item, listed in display order.
struct HeaderSpan {
    int left = 0;
    int right = 0;
};
