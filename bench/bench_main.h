#pragma once
// The main() of a benchmark program: Qt's application object around Google Benchmark's
// run. The benchmarks that lay out text get a GUI application (fonts and their metrics) on
// the offscreen platform unless another is named.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QGuiApplication>

namespace tarix::bench {

template <class Application = QCoreApplication>
int runBenchmarks(int argc, char **argv)
{
    if constexpr (std::is_base_of_v<QGuiApplication, Application>)
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tarix::bench
