// The frame the dialogs' benchmarks share: a machine root of their own in a scratch folder, the
// units started and the record manager loaded around the run, and the folder gone afterwards.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "framework/base/UnitLifecycle.h"
#include "recordmgr/BtrieveEngine.h"
#include "testing/OwnMachineRoot.h"

namespace qn::bench {

// Sets scratch to a fresh folder named after the benchmark and returns what run returns; run
// sees the units running and the record manager loaded (a failed load ends the benchmark).
inline int runInScratchMachine(const std::string& name, std::filesystem::path& scratch,
                               const std::function<int()>& run) {
  scratch = std::filesystem::temp_directory_path() / ("qn-" + name + "-" + std::to_string(::getpid()));
  qn::testing::useOwnMachineRoot(scratch);
  int result = 0;
  {
    RunningUnits units;
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    if (status != 0 && status != 1016) std::abort();
    result = run();
  }
  std::filesystem::remove_all(scratch);
  return result;
}

}  // namespace qn::bench
