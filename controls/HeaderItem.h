#pragma once

#include "HeaderContentLayout.h"

#include <QPixmap>
#include <QString>

// What a flat header draws for one of its items, read from the model's header data.
struct HeaderItem {
    QString text; // already cut to the longest text an item shows
    HeaderContentLayout::Justification justification = HeaderContentLayout::Justification::Left;
    QPixmap image;
    QPixmap bitmap;
    bool bitmapOnRight = false;
    bool ownerDraw = false;
};
