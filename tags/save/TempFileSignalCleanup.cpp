#include "TempFileSignalCleanup.h"

#include <array>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

// Only what a signal handler may touch: a fixed buffer and a flag.
char g_path[PATH_MAX + 256];
volatile std::sig_atomic_t g_armed = 0;
std::array<struct sigaction, kSignals.size()> g_previous;
std::array<bool, kSignals.size()> g_installed;

extern "C" void RemoveTempFileAndGoOn(int signal) {
    if (g_armed)
        ::unlink(g_path);
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (kSignals[i] == signal)
            ::sigaction(signal, &g_previous[i], nullptr);
    // Delivered once this handler returns, to what the process had before.
    ::raise(signal);
}

} // namespace

TempFileSignalCleanup::TempFileSignalCleanup(const std::string& path) {
    if (path.size() >= sizeof g_path)
        return;
    std::memcpy(g_path, path.c_str(), path.size() + 1);
    g_armed = 1;
    struct sigaction cleanup {};
    cleanup.sa_handler = RemoveTempFileAndGoOn;
    sigemptyset(&cleanup.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        g_installed[i] = ::sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 &&
                         g_previous[i].sa_handler != SIG_IGN &&
                         ::sigaction(kSignals[i], &cleanup, nullptr) == 0;
    }
}

TempFileSignalCleanup::~TempFileSignalCleanup() {
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (g_installed[i])
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
    g_installed.fill(false);
    g_armed = 0;
}
