#pragma once
// What a logging test cursor keeps of the calls of its primitives, and the failures a test has
// asked of them; and the cursor-suite driver over such a cursor. Test code only.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "recordmgr/tests/CursorDriver.h"

namespace cursortest {

class PrimitiveCallLog {
 public:
  std::vector<std::string> Calls;
  // Calls of a primitive that fail, by name: a predicate over the call's ordinal.
  std::map<std::string, std::function<bool(int)>> Failures;
  std::map<std::string, int> Ordinals;  // calls of each primitive since its failures were set
  uint16_t FailureCode = InjectedErrorCode;  // what a picked call raises

  // Logs the call; raises FailureCode when the failures set for it pick it.
  void LogCall(const std::string& name);
  // The calls of that primitive from the next one (ordinal 1) on fail where fails says so.
  void FailCalls(const std::string& name, std::function<bool(int)> fails);
};

// LoggingCursor: a TBaseTable that is a PrimitiveCallLog too.
template <typename LoggingCursor>
class LoggingCursorDriver : public CursorDriver {
 public:
  TBaseTable& Cursor() override { return *cursor_; }
  std::vector<std::string> Calls() const override { return cursor_->Calls; }
  void ClearCalls() override { cursor_->Calls.clear(); }
  void FailCalls(const std::string& call, std::function<bool(int)> fails) override {
    cursor_->FailCalls(call, std::move(fails));
  }

 protected:
  std::unique_ptr<LoggingCursor> cursor_;
};

}  // namespace cursortest
