#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "framework/base/UnitLifecycle.h"
#include "testing/TestDirs.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);

  // Widget tests never need a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  // The process's own machine root and runtime folder, always: a developer's QN_ROOT (the demo's)
  // must never be touched by a test. Children a test starts inherit these.
  namespace fs = std::filesystem;
  const fs::path scratch = qn::testing::scratchRoot();
  fs::create_directories(scratch / "root");
  fs::create_directories(scratch / "runtime");
  setenv("QN_ROOT", (scratch / "root").c_str(), 1);
  setenv("QN_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);

  // The units linked into this test start as they do before the program's main block.
  std::optional<RunningUnits> units;
  try {
    units.emplace();
  } catch (const std::exception& e) {
    std::cerr << "The units cannot start: " << e.what() << '\n';
    return 1;
  }
  return RUN_ALL_TESTS();
}
