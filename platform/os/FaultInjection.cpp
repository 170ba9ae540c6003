#include "platform/os/FaultInjection.h"

#include <atomic>

namespace qn::os {
namespace {

std::atomic<bool>& flag(Fault fault) {
  static std::atomic<bool> flags[static_cast<int>(Fault::TemporaryFlush) + 1]{};  // one per fault, the last included
  return flags[static_cast<int>(fault)];
}

}  // namespace

void injectFault(Fault fault) { flag(fault) = true; }

bool takeInjectedFault(Fault fault) { return flag(fault).exchange(false); }

}  // namespace qn::os
