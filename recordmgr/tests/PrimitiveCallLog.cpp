#include "recordmgr/tests/PrimitiveCallLog.h"

#include "recordmgr/EngineError.h"

namespace cursortest {

void PrimitiveCallLog::LogCall(const std::string& name) {
  Calls.push_back(name);
  auto failure = Failures.find(name);
  if (failure != Failures.end() && failure->second(++Ordinals[name])) RaiseEngineError(FailureCode);
}

void PrimitiveCallLog::FailCalls(const std::string& name, std::function<bool(int)> fails) {
  Failures[name] = std::move(fails);
  Ordinals[name] = 0;
}

}  // namespace cursortest
