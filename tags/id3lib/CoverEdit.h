#pragma once

#include "CoverPicture.h"

// What a Save does to the front cover the form shows (see FrontCover): nothing, or it gives way
// to PICTURE as a front cover, or it goes. Every other picture stays.
struct CoverEdit {
    enum class Kind { Keep, Replace, Remove };

    Kind kind = Kind::Keep;
    CoverPicture picture;
};
