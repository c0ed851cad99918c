#pragma once

#include "ILinkShell.h"

#include <QStringList>

// Opens nothing: records the targets and beeps, answers with `openSucceeds`.
class FakeLinkShell : public ILinkShell {
public:
    bool Open(const QString& target) override {
        opened.append(target);
        return openSucceeds;
    }
    void Beep() override { ++beeps; }
    std::optional<QCursor> LoadHandCursor() override {
        ++cursorLoads;
        return QCursor(Qt::PointingHandCursor);
    }

    bool openSucceeds = true;
    QStringList opened;
    int beeps = 0;
    int cursorLoads = 0;
};
