#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace veskel::bench {

// A benchmark program's main for code that needs a Qt application (fonts, widgets) but no
// screen: offscreen unless a platform is chosen.
template<class Application>
int runWithApplication(int argc, char **argv)
{
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

} // namespace veskel::bench
