#include "dialogs/DatasetLockRetry.h"

#include "core/RecordFileCalls.h"
#include "recordmgr/DatabaseEngineError.h"

namespace {

bool isLockRefusal(const EDatabaseError& e) {
  if (const auto* engine = dynamic_cast<const ETDBEngineError*>(&e))
    for (int i = 0; i < engine->ErrorCount(); ++i)
      if (qn::core::recordfiles::isLockStatus(static_cast<int16_t>(engine->Errors(i).NativeError))) return true;
  return false;
}

}  // namespace

void RetryWhileRecordLocked(const std::function<void()>& step) {
  qn::core::recordfiles::retryWhileLocked([&step]() -> int16_t {
    try {
      step();
      return 0;
    } catch (const EDatabaseError& e) {
      if (isLockRefusal(e)) return 84;
      throw;
    }
  });
}
