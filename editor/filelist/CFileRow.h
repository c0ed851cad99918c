#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// One row of the file list: the texts of its columns (column 0 is the file's full path, the
// only way the rest of the program reaches the file), its icon, its item data and its state.
struct CFileRow {
    // State bits, numbered as a list view numbers them so that masks read the same.
    enum State : unsigned {
        Focused = 0x0001,
        Selected = 0x0002,
        Cut = 0x0004,
        DropHighlighted = 0x0008,
        OverlayMask = 0x0F00,
        StateImageMask = 0xF000,
    };

    std::vector<QString> texts;
    int image = -1;
    qintptr data = 0;
    unsigned state = 0;
    // Follows the row's content through sorts and moves, so views can be told where each row
    // went. Zero until the row store gives the row its identity.
    quint64 id = 0;
};
