// Start-up of the editor: from the start of a fresh process to the first paint of its window.
// Each run starts this executable again as a child that builds the editor dialog, shows it and
// reports through a pipe once the window has painted; the parent times the whole round.

#include "CSystemMessageBoxes.h"
#include "CTagEditorDlg.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char kChildFlag[] = "--startup-child";

// Writes one byte to FD after the window's first paint has finished, then ends the run.
class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(int fd) : m_fd(fd) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            // The children paint in the same pass; report once it is over.
            QTimer::singleShot(0, [this] {
                const char byte = 1;
                if (write(m_fd, &byte, 1) != 1)
                    std::exit(2);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int m_fd;
    bool m_reported = false;
};

int RunChild(int argc, char** argv, int fd) {
    QApplication application(argc, argv);
    CSystemMessageBoxes boxes;
    CTagEditorDlg dlg(boxes);
    FirstPaintReporter reporter(fd);
    dlg.installEventFilter(&reporter);
    dlg.show();
    return application.exec();
}

// One start-up, in seconds; negative when the child failed.
double TimeOneStartup(const char* self) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execl(self, self, kChildFlag, fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char byte = 0;
    const bool painted = child > 0 && read(fds[0], &byte, 1) == 1;
    const auto painted_at = std::chrono::steady_clock::now();
    close(fds[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return painted ? std::chrono::duration<double>(painted_at - start).count() : -1;
}

std::string g_self;

void BM_StartupToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        const double seconds = TimeOneStartup(g_self.c_str());
        if (seconds < 0) {
            state.SkipWithError("the editor did not start");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_StartupToFirstPaint)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return RunChild(argc, argv, std::atoi(argv[2]));
    // Without a display the editor is measured on Qt's offscreen platform.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_self = "/proc/self/exe";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
