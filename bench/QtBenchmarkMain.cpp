#include <QApplication>

#include <benchmark/benchmark.h>

// The widget benchmarks need a QApplication around Google Benchmark's own main; offscreen unless
// the caller asks for a real display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
