#pragma once

#include <QString>

// Tells whether a file may join the list: only MP3s may, since a Save writes tags into
// whatever file the list holds.
class IMp3Check {
public:
    virtual ~IMp3Check() = default;
    // Empty when PATH is an MP3; otherwise why it is left out, in plain words.
    virtual QString WhyNotMp3(const QString& path) const = 0;
};
