#pragma once
// Scratch folders for tests. The test main gives each test process its own machine root
// (QN_ROOT) and runtime folder (QN_RUNTIME_DIR); a test wanting a clean folder of its own asks
// for one here. Folders made here are removed when the process ends normally.
#include <string>

namespace qn::testing {

// A new empty folder under the process's scratch area; the name helps a person reading a failure.
std::string makeScratchDir(const std::string& name);

// The process's scratch area (holds the machine root and runtime folder too).
const std::string& scratchRoot();

}  // namespace qn::testing
