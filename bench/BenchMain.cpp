#include <QApplication>

#include <benchmark/benchmark.h>

// The benchmarks that make widgets or run an event loop share this start:
// offscreen unless told otherwise, so they run on a machine with no display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
