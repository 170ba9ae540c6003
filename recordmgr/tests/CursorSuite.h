#pragma once
// The fixture of the cursor suites (CursorSuiteTest.cpp), run once per driver factory: a driver's
// own test adds its factory with
//   INSTANTIATE_TEST_SUITE_P(Name, cursortest::CursorSuiteTest, ::testing::Values(factory));
// and helpers the cursor tests share.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/ApplicationHooks.h"
#include "recordmgr/tests/CursorDriver.h"

namespace cursortest {

using Calls = std::vector<std::string>;

// The engine code an action raises; 0 when it raises none.
uint16_t EngineCodeOf(const std::function<void()>& action);

// A field of a packed record, by value: comparing it in place would bind a misaligned reference.
template <typename T>
T Unpacked(T value) {
  return value;
}

// Counts the application's message passes while it lives.
class MessagePassCounter {
 public:
  MessagePassCounter();
  ~MessagePassCounter();
  MessagePassCounter(const MessagePassCounter&) = delete;
  MessagePassCounter& operator=(const MessagePassCounter&) = delete;
  int passes = 0;

 private:
  ProcessMessagesHook previous_;
};

class CursorSuiteTest : public ::testing::TestWithParam<CursorDriverFactory> {
 protected:
  // A new driver over that many records; its cursor is open and not positioned.
  TBaseTable& open(int recordCount);
  CursorDriver& driver() { return *driver_; }
  // A record buffer of the cursor's record buffer size.
  void* record() { return record_.data(); }
  // The Id of the next, the prior record read without a lock.
  int32_t next(TBaseTable& cursor);
  int32_t prior(TBaseTable& cursor);
  uint32_t count(TBaseTable& cursor);

 private:
  std::unique_ptr<CursorDriver> driver_;
  std::vector<uint8_t> record_;
};

}  // namespace cursortest
