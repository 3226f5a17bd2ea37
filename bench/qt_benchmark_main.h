// The main of the benchmarks that need an application object (fonts, widgets):
// offscreen unless a platform is named, on the staged data set of the build
// unless RACKWRIGHT_STAGE_DIR names another.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

inline int run_benchmarks_with_application(int argc, char** argv) {
  setenv("RACKWRIGHT_STAGE_DIR", RACKWRIGHT_STAGE_DIR_DEFAULT, 0);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
