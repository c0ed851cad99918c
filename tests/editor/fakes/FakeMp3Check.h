#pragma once

#include "IMp3Check.h"

// Takes every file for an MP3 except those whose path contains "notmp3", so that list tests
// need no files on disk.
class FakeMp3Check : public IMp3Check {
public:
    QString WhyNotMp3(const QString& path) const override {
        return path.contains(QLatin1String("notmp3")) ? QStringLiteral("Not an MP3.") : QString();
    }
};
