#pragma once
// What every test process does around its tests: its own machine root and runtime folder, widget
// tests without a display, the linked units started as the program starts them. A test program
// with a main of its own prepares what its units read first (beforeUnits) and then runs this.
#include <functional>

namespace qn::testing {

int runTestProcess(int argc, char** argv, const std::function<void()>& beforeUnits = {});

// Whether this run only lists the tests (test discovery): no preparation is worth making then,
// and no unit is started.
bool onlyListingTests(int argc, char** argv);

}  // namespace qn::testing
