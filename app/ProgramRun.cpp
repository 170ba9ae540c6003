#include "app/ProgramRun.h"

#include <exception>
#include <iostream>
#include <optional>

#include "app/MainBlock.h"
#include "app/ShutdownSignals.h"
#include "app/SingleInstance.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/WidgetApplication.h"

int RunProgram(int argc, char** argv) {
  qn::ui::prepareDesktopPlatform();
  if (!qn::ui::desktopReachable()) {
    std::cerr << qn::ui::noDesktopMessage() << '\n';
    return 1;
  }
  qn::ui::WidgetApplication qtApplication(argc, argv);
  // Before the units start: a unit's start-up refusal already waits on a box.
  CloseMainWindowOnTerminationSignals();
  std::optional<RunningUnits> units;
  try {
    units.emplace();
  } catch (const std::exception& e) {
    std::cerr << "qncases: the program cannot start: " << e.what() << '\n';
    return 1;
  }
  ActivateRunningInstance(argc > 1 ? argv[1] : "");
  return RunMainBlock(std::cerr);
}
