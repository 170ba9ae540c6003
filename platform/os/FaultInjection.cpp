#include "platform/os/FaultInjection.h"

#include <atomic>

namespace qn::os {
namespace {

// Occurrences left until the fault strikes; 0 when none is injected.
std::atomic<int>& countdown(Fault fault) {
  static std::atomic<int> counts[static_cast<int>(Fault::TemporaryFlush) + 1]{};  // one per fault, the last included
  return counts[static_cast<int>(fault)];
}

}  // namespace

void injectFault(Fault fault, int occurrence) { countdown(fault) = occurrence < 1 ? 1 : occurrence; }

bool takeInjectedFault(Fault fault) {
  std::atomic<int>& left = countdown(fault);
  int now = left.load();
  while (now > 0 && !left.compare_exchange_weak(now, now - 1)) {
  }
  return now == 1;
}

}  // namespace qn::os
