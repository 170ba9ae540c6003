#pragma once
// The child program of the multi-process tests, started from beside the test executable, and
// the record file it writes.
#include <memory>
#include <string>
#include <vector>

#include "platform/os/Process.h"

namespace qn::os::testing {

std::string childProgramPath();

std::unique_ptr<ChildProcess> startChild(const std::vector<std::string>& args, const StartupPlacement& placement = {});

// Waits (generously) for the child to end; its exit code, or STILL_ACTIVE if it never did.
std::uint32_t waitForExit(ChildProcess& child);

// Kills the child and waits for it to end.
void killChild(ChildProcess& child);

// Waits (generously) until the record file holds line; answers whether it did.
bool waitForLine(const std::string& recordPath, const std::string& line);

}  // namespace qn::os::testing
