// The start and end every widget benchmark shares: an offscreen application painting at whole
// scale factors, all selected cases run, then the comparisons the benchmark asks for.
#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <functional>

#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/WidgetApplication.h"
#include "testing/RatioReporter.h"

namespace qn::ui {

inline int runWidgetBenchmarks(int argc, char** argv,
                               const std::function<void(const qn::testing::RatioReporter&)>& printRatios) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  useWholeScaleFactors();
  WidgetApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  qn::testing::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printRatios(reporter);
  return 0;
}

}  // namespace qn::ui
