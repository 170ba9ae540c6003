// The start and end every widget benchmark shares: an offscreen application painting at whole
// scale factors, all selected cases run, then the comparisons the benchmark asks for.
#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/MessageBoxService.h"
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

// A benchmark's code has nothing to tell: a box would wait for an answer nobody gives, so one
// that comes ends the run loudly.
inline void abortOnAnyMessageBox() {
  setMessageBoxPresenter([](const MessageBoxRequest& request) -> TModalResult {
    std::fprintf(stderr, "unexpected message box: %s\n", request.text.c_str());
    std::abort();
  });
}

}  // namespace qn::ui
