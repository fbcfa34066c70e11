#pragma once
// The main of a benchmark program that draws: offscreen unless a display is
// asked for, the fonts the layouts name substituted as the program does,
// the runs, then the figures its targets are judged by.

#include "render/font_substitutions.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace kelvane {

inline int RunDrawingBenchmarks(int argc, char** argv, void (*printTargets)() = nullptr) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (printTargets) printTargets();
  return 0;
}

}  // namespace kelvane
