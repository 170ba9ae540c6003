#include <gtest/gtest.h>

#include <vector>

#include "core/RecordFiles.h"
#include "core/tests/RecordRaised.h"
#include "core/tests/ReleasingClock.h"
#include "core/tests/SeededDataFolder.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"

namespace {

using qn::core::testing::raised;
using qn::core::testing::ReleasingClock;
using qn::core::testing::SeededDataFolder;
using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

constexpr uint8_t kClients = 1;
const AnsiString kQuestion = "A record lock was encountered.  Retry?";
const AnsiString kRefusal = "A record lock was encountered.";

// The second workstation holds a single-record lock on one client (read with lock bias 200 on
// key 1); the layer reads and writes YClient.qf on key 1.
class RecordLockRetryTest : public SeededDataFolder {
 protected:
  void SetUp() override {
    SeededDataFolder::SetUp();
    OpenRecordFile(kClients, path("YClient.qf;CL"), 0);
    SetKeyPath(kClients, 1);
    ASSERT_EQ(other.status("open 0 " + linuxPath("YClient.qf")), 0);
  }

  void lockOnOtherWorkstation(const std::string& keyHex) {
    ASSERT_EQ(other.status("read 0 205 1 " + keyHex), 0);
  }

  AnsiString buffer = AnsiString(393, ' ');
  bool eof = false;
  ServeChild other;
};

const std::string kAdams = "4144414D532020";   // "ADAMS  "
const std::string kBright = "42524947485420";  // "BRIGHT "

TEST_F(RecordLockRetryTest, ALockReleasedWithinTheWindowIsReadWithoutAQuestion) {
  lockOnOtherWorkstation(kAdams);
  ReleasingClock clock(other, 1000);
  ScriptedMessageBoxes boxes;
  GetFirstRecord(kClients, buffer, eof, 1);
  EXPECT_EQ(buffer.substr(4, 7), "ADAMS  ");
  EXPECT_LT(clock.milliseconds(), LockRetryInterval);
}

TEST_F(RecordLockRetryTest, AfterTheWindowTheUserIsAskedAndNoStopsTheRead) {
  lockOnOtherWorkstation(kAdams);
  ReleasingClock clock(other, ReleasingClock::Never);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrYes).expect(mtConfirmation, kQuestion, mrNo);
  EXPECT_EQ(raised([&] { GetFirstRecord(kClients, buffer, eof, 1); }), kRefusal);
  EXPECT_GE(clock.milliseconds(), 2 * LockRetryInterval);
  EXPECT_EQ(buffer, AnsiString(393, ' '));
}

TEST_F(RecordLockRetryTest, YesWaitsAnotherWindowAndTheReadSucceedsOnceReleased) {
  lockOnOtherWorkstation(kBright);
  ReleasingClock clock(other, LockRetryInterval + 1000);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  EXPECT_TRUE(GetEqualRecord(kClients, "BRIGHT ", buffer, true));
  EXPECT_EQ(buffer.substr(4, 7), "BRIGHT ");
}

TEST_F(RecordLockRetryTest, NextWithALockRetriesToo) {
  lockOnOtherWorkstation(kBright);
  GetFirstRecord(kClients, buffer, eof, 0);
  ReleasingClock clock(other, ReleasingClock::Never);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrNo);
  EXPECT_EQ(raised([&] { GetNextRecord(kClients, buffer, eof, 1); }), kRefusal);
}

TEST_F(RecordLockRetryTest, UpdatesOfALockedRecordAskThenWriteOnceReleased) {
  lockOnOtherWorkstation(kBright);
  ASSERT_TRUE(GetEqualRecord(kClients, "BRIGHT ", buffer, false));
  AnsiString data = buffer.substr(4);
  data.replace(0, 7, "BRIGHTS");
  {
    ReleasingClock clock(other, ReleasingClock::Never);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, kQuestion, mrNo);
    EXPECT_EQ(raised([&] { UpdateRecord(kClients, data, buffer); }), kRefusal);
  }
  ReleasingClock clock(other, LockRetryInterval + 1000);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kQuestion, mrYes);
  UpdateRecord(kClients, data, buffer);
  EXPECT_TRUE(GetEqualRecord(kClients, "BRIGHTS", buffer, false));
}

TEST_F(RecordLockRetryTest, DeletesOfALockedRecordWaitForTheRelease) {
  lockOnOtherWorkstation(kAdams);
  ASSERT_TRUE(GetEqualRecord(kClients, "ADAMS  ", buffer, false));
  {
    ReleasingClock clock(other, ReleasingClock::Never);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, kQuestion, mrNo);
    EXPECT_EQ(raised([&] { DeleteRecord(kClients); }), kRefusal);
  }
  ReleasingClock clock(other, 500);
  ScriptedMessageBoxes boxes;
  DeleteRecord(kClients);
  EXPECT_FALSE(GetEqualRecord(kClients, "ADAMS  ", buffer, false));
  EXPECT_EQ(GetRecordCount(kClients), 3u);
}

}  // namespace
