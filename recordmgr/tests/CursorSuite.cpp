#include "recordmgr/tests/CursorSuite.h"

#include "recordmgr/EngineError.h"

namespace cursortest {

uint16_t EngineCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EKorvoEngineError& error) {
    return error.ErrorCode();
  }
  return 0;
}

MessagePassCounter::MessagePassCounter() : previous_(SetProcessMessagesHook([this] { ++passes; })) {}

MessagePassCounter::~MessagePassCounter() { SetProcessMessagesHook(previous_); }

TBaseTable& CursorSuiteTest::open(int recordCount) {
  driver_ = GetParam().make(recordCount);
  record_.assign(driver_->Cursor().GetRecordBufferSize(), 0);
  return driver_->Cursor();
}

int32_t CursorSuiteTest::next(TBaseTable& cursor) {
  cursor.GetNextRecord(0, record(), nullptr);
  return IdOf(record());
}

int32_t CursorSuiteTest::prior(TBaseTable& cursor) {
  cursor.GetPriorRecord(0, record(), nullptr);
  return IdOf(record());
}

uint32_t CursorSuiteTest::count(TBaseTable& cursor) {
  uint32_t records = 0;
  cursor.GetExactRecordCount(records);
  return records;
}

}  // namespace cursortest
