#pragma once

#include <QCoreApplication>
#include <benchmark/benchmark.h>

// The main of a benchmark that needs Qt Core's application object (plug-ins,
// the program's folder) and no windows.
inline int runCoreBenchmarks(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
