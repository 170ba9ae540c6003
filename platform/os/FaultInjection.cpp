#include "platform/os/FaultInjection.h"

#include <atomic>

namespace qn::os {
namespace {

std::atomic<bool>& flag(Fault fault) {
  static std::atomic<bool> hiveWrite{false};
  static std::atomic<bool> keyOpen{false};
  return fault == Fault::HiveWrite ? hiveWrite : keyOpen;
}

}  // namespace

void injectFault(Fault fault) { flag(fault) = true; }

bool takeInjectedFault(Fault fault) { return flag(fault).exchange(false); }

}  // namespace qn::os
