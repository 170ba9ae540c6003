#pragma once
// Which process a record in the runtime folder belongs to, told apart from a later process
// that got the same id: a process is its id plus its start time.
#include <sys/types.h>

#include <cstdint>

namespace qn::os {

struct ProcessIdentity {
  pid_t pid = 0;
  std::uint64_t startTime = 0;  // clock ticks after boot, from /proc
};

ProcessIdentity currentProcessIdentity();

// True while that very process runs (a zombie counts as ended).
bool isRunning(const ProcessIdentity& process);

}  // namespace qn::os
