#pragma once
// The main of a benchmark of windows: an offscreen Qt application unless a platform
// is chosen, then every benchmark the arguments select.
#include <benchmark/benchmark.h>

#include <QApplication>

inline int QtBenchMain(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
