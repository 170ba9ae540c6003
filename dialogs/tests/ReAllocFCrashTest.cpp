// A workstation that dies in the middle of a reallocation: the dummy transaction it was working
// on keeps its old receptors, the ones it had finished stay done.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/PrintChoice.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/ReAllocF.h"
#include "dialogs/tests/ReallocationFixture.h"
#include "framework/base/DateTime.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/BtrieveEngine.h"

namespace dialogs_test {
namespace {

class ReAllocFCrashTest : public ReallocationFixture {
 protected:
  std::string fees() override {
    return feeSeed("DUM", 1, "F", "460302", "D", "S0000001", "Billable Hours = 1.00\nActual $ = 100.00") +
           feeSeed("R1", 1, "F", "460302", "R", "S0000001", "Billable $ = 50.00") +
           feeSeed("R2", 1, "F", "460302", "R", "S0000001", "Billable $ = 50.00") +
           feeSeed("DUM", 1, "F", "460303", "D", "S0000002", "Billable Hours = 2.00\nActual $ = 200.00") +
           feeSeed("R1", 1, "F", "460303", "R", "S0000002", "Billable $ = 66.67\nBillable Hours = 0.67") +
           feeSeed("R2", 1, "F", "460303", "R", "S0000002", "Billable $ = 66.66\nBillable Hours = 0.66") +
           feeSeed("R3", 1, "F", "460303", "R", "S0000002", "Billable $ = 66.67\nBillable Hours = 0.67");
  }
  // The test program again, running only the child below on this folder; it kills itself once the
  // old receptors of its second dummy transaction are deleted.
  int runChild() {
    const pid_t child = ::fork();
    if (child == 0) {
      std::freopen("/dev/null", "w", stdout);
      ::setenv("QN_REALLOC_CHILD_DATA", dataDir.c_str(), 1);
      ::setenv("QN_REALLOC_CHILD_REPORTS", reportFolder.c_str(), 1);
      ::execl("/proc/self/exe", "dialogs-tests", "--gtest_also_run_disabled_tests",
              "--gtest_filter=ReAllocFChild.DISABLED_ReallocatesUntilItsSecondTransaction", nullptr);
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
  }
};

TEST_F(ReAllocFCrashTest, KilledBetweenDeletesAndInsertsLeavesThatTransactionAsItWas) {
  const std::vector<std::string> before = allFees();
  CloseAllRecordFiles();
  const int status = runChild();
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  std::vector<std::string> after = allFees();
  // The second transaction and its three old receptors, untouched.
  for (const std::string& row : before)
    if (row.find("S0000002") != std::string::npos)
      EXPECT_EQ(std::count(after.begin(), after.end(), row), 1) << row;
  // The first one was committed before: its old receptors replaced by three new ones.
  EXPECT_EQ(feesOf("R1").front(), "R1|      1|F|460302|R|461211||E1|E1|1|100|0.33|33.33||S0000001");
  EXPECT_EQ(feesOf("R2").front(), "R2|      1|F|460302|R|461211||E1|E1|1|100|0.34|33.34||S0000001");
  EXPECT_EQ(feesOf("R3").front(), "R3|      1|F|460302|R|461211||E1|E1|1|100|0.33|33.33||S0000001");
  EXPECT_EQ(after.size(), before.size() + 1);
}

// Run only by the test above, as a process of its own: the reallocation of DUM-1 as the user
// confirms it, dying inside its second transaction.
TEST(ReAllocFChild, DISABLED_ReallocatesUntilItsSecondTransaction) {
  const char* data = std::getenv("QN_REALLOC_CHILD_DATA");
  ASSERT_NE(data, nullptr);
  qn::ui::testing::qtApplication();
  core_test::writeMachineString(MainAliasKey, "PhysicalName", data);
  DataDir = data;
  RecordFileDir = data;
  SystemDateText = "461211";
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  PrntDefF = nullptr;
  PrintChoice.Destination = 100;
  PrintChoice.Folder = std::getenv("QN_REALLOC_CHILD_REPORTS");
  PrintChoice.FileName = "REALLOC.TXT";
  DummyClient = "DUM";
  DummySuffix = "      1";
  qn::ui::testing::ScriptedMessageBoxes boxes;
  TReAllocF dialog(nullptr);
  dialog.Show();
  dialog.StartDatePicker->SetDate(EncodeDate(2026, 3, 1));
  dialog.EndDatePicker->SetDate(EncodeDate(2026, 3, 31));
  int deleted = 0;
  dialog.Reallocation()->AfterReceptorsDeleted = [&] {
    if (++deleted == 2) ::raise(SIGKILL);
  };
  boxes.expect(mtConfirmation,
               "Quillon is about to reallocate the Receptor transactions for the Dummy matter DUM-1 using a date range "
               "of 03/01/2026 to 03/31/2026.\r\rContinue with this operation?",
               mrYes);
  dialog.RunBitBtnClick(nullptr);
}

}  // namespace
}  // namespace dialogs_test
