#include <gtest/gtest.h>

#include <algorithm>

#include "core/RecordFiles.h"
#include "core/tests/SeededDataFolder.h"
#include "framework/base/UnitLifecycle.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/tests/RecordingLog.h"

namespace {

using qn::core::testing::SeededDataFolder;

constexpr uint16_t kClose = 1;

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

TEST_F(RecordManagerStopTest, StoppingTheUnitsClosesTheOpenFilesBeforeTheRecordManagerStops) {
  OpenStandardFile(1);
  OpenStandardFile(2);
  ASSERT_TRUE(IsRecordFileOpen(1));
  recordingtest::clearRecordedCalls();

  UnitRegistry::Program().StopAll();
  const std::vector<RecordedCall> calls = recordingtest::recordedCalls();
  UnitRegistry::Program().StartAll();

  EXPECT_FALSE(IsRecordFileOpen(1));
  EXPECT_FALSE(IsRecordFileOpen(2));
  ASSERT_FALSE(calls.empty());
  // Nothing reaches the record manager once it is stopped, and it is stopped once.
  EXPECT_EQ(calls.back().entry, RecordedEntry::Stop);
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const RecordedCall& c) { return c.entry == RecordedEntry::Stop; }), 1);
  const auto closes = std::count_if(calls.begin(), calls.end(), [](const RecordedCall& c) {
    return c.entry != RecordedEntry::Stop && c.entry != RecordedEntry::Init && c.op == kClose;
  });
  EXPECT_EQ(closes, 2);
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
