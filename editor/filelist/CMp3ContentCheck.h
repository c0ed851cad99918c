#pragma once

#include "IMp3Check.h"

// Looks into the file: an MP3 by its content (see Mp3Content), not by its name.
class CMp3ContentCheck : public IMp3Check {
public:
    QString WhyNotMp3(const QString& path) const override;
};
