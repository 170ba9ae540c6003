#include "testing/TestProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>

#include "framework/base/UnitLifecycle.h"
#include "testing/OwnMachineRoot.h"
#include "testing/TestDirs.h"

namespace qn::testing {

int runTestProcess(int argc, char** argv, const std::function<void()>& beforeUnits) {
  const bool listing = onlyListingTests(argc, argv);  // before the test library takes its flags
  ::testing::InitGoogleTest(&argc, argv);

  // Widget tests never need a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  // The process's own machine root and runtime folder, always: a developer's QN_ROOT (the demo's)
  // must never be touched by a test. Children a test starts inherit these.
  useOwnMachineRoot(scratchRoot());
  if (beforeUnits) beforeUnits();
  // Listing the tests needs nothing started.
  if (listing) return RUN_ALL_TESTS();

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

bool onlyListingTests(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return true;
  return false;
}

}  // namespace qn::testing
