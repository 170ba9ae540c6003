#include <gtest/gtest.h>

#include "framework/base/UnitLifecycle.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/tests/RecordingLog.h"

namespace {

TEST(BtrieveEngineUnit, StoppingTheUnitsStopsARunningRecordManagerOnce) {
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  recordingtest::clearRecordedCalls();

  UnitRegistry::Program().StopAll();
  std::vector<RecordedCall> calls = recordingtest::recordedCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].entry, RecordedEntry::Stop);

  // Stopped already: stopping the units again leaves the record manager alone.
  UnitRegistry::Program().StartAll();
  UnitRegistry::Program().StopAll();
  EXPECT_EQ(recordingtest::recordedCalls().size(), 1u);
  UnitRegistry::Program().StartAll();
}

}  // namespace
