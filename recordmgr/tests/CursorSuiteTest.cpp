// Navigation, block reads, counting and emptying of a cursor, for every driver (see CursorSuite.h).
#include <algorithm>

#include "recordmgr/EngineError.h"
#include "recordmgr/tests/CursorSuite.h"

namespace cursortest {

TEST_P(CursorSuiteTest, ReadsForwardFromTheBeginningAndBackwardFromTheEnd) {
  TBaseTable& cursor = open(3);
  EXPECT_EQ(next(cursor), 10);
  EXPECT_EQ(next(cursor), 20);
  EXPECT_EQ(next(cursor), 30);
  EXPECT_EQ(cursor.State(), csOnRecord);
  EXPECT_EQ(EngineCodeOf([&] { next(cursor); }), DBIERR_EOF);
  EXPECT_EQ(IdOf(record()), 30);  // the buffer keeps the last record read

  cursor.SetToEnd();
  EXPECT_EQ(prior(cursor), 30);
  EXPECT_EQ(prior(cursor), 20);
  EXPECT_EQ(prior(cursor), 10);
  EXPECT_EQ(cursor.Direction(), cdBackward);
  EXPECT_EQ(EngineCodeOf([&] { prior(cursor); }), DBIERR_BOF);
}

TEST_P(CursorSuiteTest, PastEitherEndAReadRaisesWithoutCallingTheDriver) {
  TBaseTable& cursor = open(3);
  struct Case {
    std::function<void()> position;
    std::function<void()> read;
    uint16_t code;
  };
  const std::vector<Case> cases = {
      {[&] { cursor.SetToEnd(); }, [&] { cursor.GetNextRecord(0, record(), nullptr); }, DBIERR_EOF},
      {[&] { cursor.SetToBegin(); }, [&] { cursor.GetPriorRecord(0, record(), nullptr); }, DBIERR_BOF},
      {[&] { cursor.SetToBegin(); }, [&] { cursor.GetRecord(0, record(), nullptr); }, DBIERR_EOF},
      {[&] { cursor.SetToEnd(); }, [&] { cursor.GetRecord(0, record(), nullptr); }, DBIERR_BOF},
      {[&] { cursor.Activate(); }, [&] { cursor.GetRecord(0, record(), nullptr); }, DBIERR_NOCURRREC},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    cases[i].position();
    driver().ClearCalls();
    EXPECT_EQ(EngineCodeOf(cases[i].read), cases[i].code);
    EXPECT_EQ(driver().Calls(), Calls{});
  }
}

TEST_P(CursorSuiteTest, RelativeReadsStepOneByOneAndLockOnlyTheLast) {
  TBaseTable& cursor = open(5);
  cursor.SetToEnd();
  driver().ClearCalls();
  cursor.GetRelativeRecord(-3, 1, nullptr, record());
  EXPECT_EQ(IdOf(record()), 30);
  EXPECT_EQ(driver().Calls(), (Calls{"last", "prior", "prior", "read+lock"}));

  driver().ClearCalls();
  cursor.GetRelativeRecord(2, 0, nullptr, record());
  EXPECT_EQ(IdOf(record()), 50);
  EXPECT_EQ(driver().Calls(), (Calls{"next", "next"}));

  driver().ClearCalls();
  EXPECT_EQ(EngineCodeOf([&] { cursor.GetRelativeRecord(0, 0, nullptr, record()); }), DBIERR_INVALIDPARAM);
  EXPECT_EQ(driver().Calls(), Calls{});
}

TEST_P(CursorSuiteTest, TheFirstReadUnderALockLocksTheRecordItMovedTo) {
  TBaseTable& cursor = open(3);
  driver().ClearCalls();
  cursor.GetNextRecord(1, record(), nullptr);
  EXPECT_EQ(IdOf(record()), 10);
  EXPECT_EQ(driver().Calls(), (Calls{"first", "read+lock"}));
  cursor.SetProperty(20, 0);  // between records: the locked read still takes the next one only
  driver().ClearCalls();
  cursor.GetNextRecord(1, record(), nullptr);
  EXPECT_EQ(IdOf(record()), 20);
  EXPECT_EQ(driver().Calls(), (Calls{"next", "read+lock"}));
}

TEST_P(CursorSuiteTest, ABlockReadEndsAtTheEndWithTheRecordsItGot) {
  TBaseTable& cursor = open(6);
  next(cursor);
  next(cursor);
  const uint16_t size = cursor.GetRecordBufferSize();
  std::vector<uint8_t> block(10 * size, 0xEE);
  uint32_t count = 10;
  EXPECT_EQ(EngineCodeOf([&] { cursor.ReadBlock(count, block.data()); }), DBIERR_EOF);
  ASSERT_EQ(count, 4u);
  for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(IdOf(block.data() + i * size), static_cast<int32_t>(30 + 10 * i));
}

TEST_P(CursorSuiteTest, ABlockOf64KBytesOrMoreIsRefusedBeforeAnyRead) {
  TBaseTable& cursor = open(3);
  const uint16_t size = cursor.GetRecordBufferSize();
  const uint32_t largest = (65536 - 1) / size;  // the most records that stay below 65,536 bytes
  std::vector<uint8_t> block((largest + 1) * size);
  driver().ClearCalls();
  for (uint32_t tooMany : {largest + 1, 65536u, 0x10000000u}) {
    uint32_t count = tooMany;
    EXPECT_EQ(EngineCodeOf([&] { cursor.ReadBlock(count, block.data()); }), DBIERR_INVALIDPARAM);
    EXPECT_EQ(EngineCodeOf([&] { cursor.WriteBlock(count, block.data()); }), DBIERR_INVALIDPARAM);
  }
  EXPECT_EQ(driver().Calls(), Calls{});

  uint32_t count = largest;
  EXPECT_EQ(EngineCodeOf([&] { cursor.ReadBlock(count, block.data()); }), DBIERR_EOF);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(EngineCodeOf([&] { cursor.ReadBlock(count, nullptr); }), DBIERR_INVALIDPARAM);
}

TEST_P(CursorSuiteTest, CountingReadsEveryRecordLetsMessagesThroughAndComesBack) {
  TBaseTable& cursor = open(40);
  next(cursor);
  next(cursor);
  next(cursor);
  MessagePassCounter messages;
  EXPECT_EQ(count(cursor), 40u);
  EXPECT_EQ(messages.passes, driver().CountsByReading() ? 2 : 0);  // after the 16th and the 32nd record read
  EXPECT_EQ(cursor.GetRecordBuffer(), record());  // not the counting's own buffer, which is gone
  EXPECT_EQ(next(cursor), 40);    // back on the third record, the fourth follows
}

TEST_P(CursorSuiteTest, CountingWithoutAPositionCountsEveryRecord) {
  TBaseTable& cursor = open(5);
  uint32_t records = 99;
  cursor.GetExactRecordCount(records);
  EXPECT_EQ(records, 5u);
  cursor.GetRecordCount(records);
  EXPECT_EQ(records, 5u);
}

TEST_P(CursorSuiteTest, ADriverErrorWhileCountingPassesOn) {
  TBaseTable& cursor = open(20);
  if (!driver().CountsByReading()) GTEST_SKIP() << "the driver counts without reading";
  driver().FailCalls("next", [](int ordinal) { return ordinal == 5; });
  uint32_t records = 0;
  EXPECT_EQ(EngineCodeOf([&] { cursor.GetExactRecordCount(records); }), InjectedErrorCode);
  EXPECT_EQ(records, 5u);  // the first record and four more were counted
}

TEST_P(CursorSuiteTest, DeletingAllRecordsEmptiesTheTableAndStandsAtTheBeginning) {
  TBaseTable& cursor = open(10);
  MessagePassCounter messages;
  cursor.DeleteAllRecords();
  EXPECT_EQ(messages.passes, 10);  // one after each deletion
  EXPECT_EQ(cursor.State(), csAtBeginning);
  EXPECT_EQ(count(cursor), 0u);
}

TEST_P(CursorSuiteTest, DeletingAllRecordsGivesUpAfterFourMorePasses) {
  TBaseTable& cursor = open(30);
  driver().FailCalls("delete", [](int ordinal) { return ordinal % 3 == 0; });
  driver().ClearCalls();
  cursor.DeleteAllRecords();
  const Calls calls = driver().Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "delete"), 15);  // five passes of three
  EXPECT_EQ(cursor.State(), csAtBeginning);
  EXPECT_EQ(count(cursor), 20u);
}

TEST_P(CursorSuiteTest, EmptyingASharedOpenTableLeavesItOpenAndShared) {
  TBaseTable& cursor = open(4);
  ASSERT_NE(cursor.ShareMode(), TBaseTable::ExclusiveMode);
  const uint32_t sharing = cursor.ShareMode();
  cursor.EmptyTable();
  EXPECT_EQ(cursor.ShareMode(), sharing);
  EXPECT_NE(cursor.State(), csClosed);
  EXPECT_EQ(count(cursor), 0u);
}

TEST_P(CursorSuiteTest, EmptyingAClosedTableLeavesItClosed) {
  TBaseTable& cursor = open(4);
  cursor.Deactivate();
  cursor.EmptyTable();
  EXPECT_EQ(cursor.State(), csClosed);
  cursor.Activate();
  EXPECT_EQ(count(cursor), 0u);
}

INSTANTIATE_TEST_SUITE_P(Counting, CursorSuiteTest, ::testing::Values(CountingDriverFactory()),
                         [](const auto& info) { return info.param.name; });

}  // namespace cursortest
