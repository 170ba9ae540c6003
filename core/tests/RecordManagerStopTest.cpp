#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/RecordFiles.h"
#include "core/tests/SeededDataFolder.h"
#include "framework/base/UnitLifecycle.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/tests/RecordingLog.h"

namespace {

using qn::core::testing::SeededDataFolder;

constexpr uint16_t kClose = 1;
constexpr uint16_t kStopClient = 25;

// The record-file layer runs on the recording library, which was loaded first and so serves the
// layer's own load.
class RecordManagerStopTest : public SeededDataFolder {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    SeededDataFolder::SetUp();
  }
};

TEST_F(RecordManagerStopTest, StoppingTheUnitsEmptiesTheSlotsThenEndsTheSessionsThenStopsTheRecordManager) {
  // A database of the default session makes it a client of the record manager.
  auto database = std::make_unique<TtbDatabase>(nullptr);
  database->SetDatabaseName(dataDir);
  database->SetConnected(true);
  ASSERT_TRUE(DefaultBtrieveSession()->Active());
  database.reset();
  OpenStandardFile(1);
  OpenStandardFile(2);
  recordingtest::clearRecordedCalls();

  UnitRegistry::Program().StopAll();
  const std::vector<RecordedCall> calls = recordingtest::recordedCalls();
  UnitRegistry::Program().StartAll();

  EXPECT_FALSE(IsRecordFileOpen(1));
  EXPECT_FALSE(IsRecordFileOpen(2));
  EXPECT_EQ(BtrieveSessionList()->Count(), 1);
  std::vector<std::string> order;
  for (const RecordedCall& c : calls) {
    if (c.entry == RecordedEntry::Stop)
      order.push_back("record manager stopped");
    else if (c.entry != RecordedEntry::Init && c.op == kClose)
      order.push_back("file closed");
    else if (c.entry != RecordedEntry::Init && c.op == kStopClient)
      order.push_back("client ended");
  }
  // Nothing reaches the record manager once it is stopped, and it is stopped once.
  EXPECT_EQ(order, (std::vector<std::string>{"file closed", "file closed", "client ended", "record manager stopped"}));
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().entry, RecordedEntry::Stop);
}

TEST_F(RecordManagerStopTest, AfterTheUnitsStartAgainTheLayerStartsTheRecordManagerAgain) {
  OpenStandardFile(1);
  UnitRegistry::Program().StopAll();
  UnitRegistry::Program().StartAll();
  recordingtest::clearRecordedCalls();

  OpenStandardFile(1);
  EXPECT_TRUE(IsRecordFileOpen(1));
  const std::vector<RecordedCall> calls = recordingtest::recordedCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().entry, RecordedEntry::Init);
}

}  // namespace
