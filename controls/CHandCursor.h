#pragma once

#include <QCursor>

#include <functional>
#include <optional>

// A pointer shape that is loaded at its first use and kept. Loading is tried once: when it
// fails, Get() answers nothing from then on without trying again.
class CHandCursor {
public:
    using Loader = std::function<std::optional<QCursor>()>;

    explicit CHandCursor(Loader loader);

    const QCursor* Get();

private:
    Loader m_loader;
    std::optional<QCursor> m_hCursor;
    bool m_bTried = false;
};
