#pragma once
// The folders inside the runtime folder, one per service that keeps state there while programs
// run: "mutex" (named mutexes), "windows" (the window registry), "bus" (message sockets).
#include <string>

namespace qn::os {

// <runtime folder>/<name>, created on first use.
std::string runtimeSubdir(const std::string& name);

}  // namespace qn::os
