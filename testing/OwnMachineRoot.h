#pragma once
// A process of the tests or benchmarks runs on a machine root (QN_ROOT) and a runtime folder
// (QN_RUNTIME_DIR) of its own, so it never touches a developer's; children it starts inherit them.
#include <cstdlib>
#include <filesystem>

namespace qn::testing {

// Makes root and runtime under scratch and points this process at them.
inline void useOwnMachineRoot(const std::filesystem::path& scratch) {
  std::filesystem::create_directories(scratch / "root");
  std::filesystem::create_directories(scratch / "runtime");
  setenv("QN_ROOT", (scratch / "root").c_str(), 1);
  setenv("QN_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);
}

}  // namespace qn::testing
