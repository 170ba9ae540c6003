// Deleting fees and transaction descriptions: record locks held by another workstation, and the
// audit records written before each delete.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "core/Globals.h"
#include "core/tests/DataModuleFixture.h"
#include "core/tests/ReleasingClock.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "testing/TestDirs.h"

namespace {

using core_test::DataModuleFixture;
using qn::core::testing::ReleasingClock;
using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString FeeQuestion =
    "Quillon is attempting to alter this transaction.\rIt appears to be in use at another workstation. \r\r"
    "You may continue to attempt this operation by selecting 'RETRY',\r"
    "in which case this message will reappear after 5 seconds if\r"
    "Quillon is still unable to proceed.\r\r"
    "Selecting 'CANCEL' means that your changes will not be saved,\r"
    "but you may attempt to alter this transaction at a later time.";

class TransactionDelete : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    WorkstationId = "07";
    AuditTrailDisabled = false;
    AuditTrailHasEntries = false;
    programDir = qn::testing::makeScratchDir("audit-program");
    for (const char* model : {"Tran.clo", "Glac.clo"})
      ASSERT_EQ(std::system(("cp '" + qn::recmgr::testing::programFolder() + "/" + model + "' '" + programDir + "/'").c_str()), 0);
    ProgramDir = programDir;
  }
  void TearDown() override {
    DataModuleFixture::TearDown();
    AuditTrailDisabled = false;
  }

  void openFees() {
    dm->Fee_->SetTableName(dataDir + "\\fee.qf;RES:FEES");
    dm->Fee_->Open();
    dm->Fee_->SetIndexName("1");
    dm->Fee_->First();
  }
  // The other workstation reads the file's first record with a lock.
  void holdFirstRecord(ServeChild& other, const std::string& file) {
    ASSERT_EQ(other.status("open 0 " + dataDir + "/" + file), 0);
    ASSERT_EQ(other.status("read 0 212 0"), 0);
  }
  std::vector<std::string> audit(const std::vector<std::string>& fields) {
    TdcTbTable table(nullptr);
    table.SetDatabaseName("QNWIN");
    table.SetTableName(dataDir + "\\Tran07.s;RES:" + (fields[1] == "audit" ? "TRAN2" : "TRAN"));
    table.Open();
    std::vector<std::string> all;
    for (table.First(); !table.Eof(); table.Next()) {
      std::string row;
      for (const std::string& f : fields) row += (row.empty() ? "" : "|") + table.FieldByName(f)->AsString();
      all.push_back(row);
    }
    return all;
  }
  bool exists(const std::string& name) {
    struct stat st{};
    return ::stat((dataDir + "/" + name).c_str(), &st) == 0;
  }

  std::string programDir;
};

TEST_F(TransactionDelete, AFeeHeldThreeSecondsElsewhereIsDeletedWithoutAQuestionAndAudited) {
  const std::vector<std::string> fee =
      rows("Fee.qf;RES:FEES", {"Type", "Client Code", "Case Suffix", "Transaction Date", "Sub Type", "Employee Code",
                               "Entry Date", "HNDR", "Group Code", "Fixed Fee", "Actual Hours", "Actual $",
                               "Bill Enp Code", "Billable Hours", "Billable $", "Invoice Number", "Sequence Number"});
  ASSERT_EQ(fee.size(), 1u);
  EXPECT_NE(fee[0].find("|E1|"), std::string::npos) << fee[0];
  openFees();
  ServeChild other;
  holdFirstRecord(other, "Fee.qf");
  ReleasingClock clock(other, 3000);
  ScriptedMessageBoxes boxes;
  dm->Fee_->Delete();
  EXPECT_GE(clock.milliseconds(), 3000u);
  EXPECT_TRUE(rows("Fee.qf;RES:FEES", {"Client Code"}).empty());
  EXPECT_EQ(audit({"Audit", "Type", "ClientCode", "CaseSuffix", "StringTransDate", "SubType", "ActEmp",
                   "StringEntryDate", "HNDR", "GroupingCode", "FForPHB", "ActualHours", "ActualAmount",
                   "BillableEmpCode", "BillableHours", "BillableAmount", "InvoiceNumber", "SequenceNumber", "Fees",
                   "DirectCosts", "Retainers"}),
            (std::vector<std::string>{"2|" + fee[0] + "|0|0|0"}));
  EXPECT_TRUE(AuditTrailHasEntries);
}

TEST_F(TransactionDelete, AFeeHeldLongerAsksRetryWaitsAWholeWindowAgainAndCancelKeepsTheFee) {
  openFees();
  ServeChild other;
  holdFirstRecord(other, "Fee.qf");
  ReleasingClock clock(other, ReleasingClock::Never);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, FeeQuestion, mrRetry).expect(mtInformation, FeeQuestion, mrCancel);
  EXPECT_THROW(dm->Fee_->Delete(), EAbort);
  // Two silent windows of 5 s each, one before each question.
  EXPECT_GE(clock.milliseconds(), 10000u);
  EXPECT_LT(clock.milliseconds(), 10100u);
  EXPECT_EQ(dm->Fee_->State(), dsBrowse);
  EXPECT_EQ(rows("Fee.qf;RES:FEES", {"Client Code"}), (std::vector<std::string>{"BRIGHT"}));
  EXPECT_FALSE(exists("Tran07.s"));
}

// After Cancel at the lock question the fee table shows the fee as it is stored, in browse: no
// change the user could not save stays behind in an edit.
void expectStoredFeeInBrowse(TDataSet& fees, const std::vector<std::string>& stored) {
  EXPECT_EQ(fees.State(), dsBrowse);
  EXPECT_EQ(fees.FieldByName("Client Code")->AsString() + "|" + fees.FieldByName("Group Code")->AsString(),
            stored.at(0));
}

TEST_F(TransactionDelete, CancelAtTheLockQuestionOfAChangedFeeLeavesTheFeeInBrowseWithItsStoredValues) {
  const std::vector<std::string> stored = rows("Fee.qf;RES:FEES", {"Client Code", "Group Code"});
  openFees();
  dm->Fee_->Edit();
  dm->Fee_->FieldByName("Group Code")->SetAsString("ZZ");
  // The other workstation's transaction has written the file: the post meets its lock.
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/Fee.qf"), 0);
  ASSERT_EQ(other.status("begin"), 0);
  ASSERT_EQ(other.status("insert 0 " + std::string(2 * 80, '0')), 0);
  // The last lock window lies long past: this lock starts a quiet window of its own.
  LockRetryDeadline = 100000;
  LockRetryWindow = 0;
  ReleasingClock clock(other, ReleasingClock::Never, "abort");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "A record lock was encountered.", mrCancel);
  EXPECT_THROW(dm->Fee_->Post(), EAbort);
  EXPECT_GE(clock.milliseconds(), 5000u) << "asked only after the quiet window";
  expectStoredFeeInBrowse(*dm->Fee_, stored);
  EXPECT_EQ(rows("Fee.qf;RES:FEES", {"Client Code", "Group Code"}), stored);
}

TEST_F(TransactionDelete, CancelAtTheLockQuestionOfAnAuditedDeleteLeavesTheFeeInBrowseWithItsStoredValues) {
  const std::vector<std::string> stored = rows("Fee.qf;RES:FEES", {"Client Code", "Group Code"});
  openFees();
  ServeChild other;
  holdFirstRecord(other, "Fee.qf");
  ReleasingClock clock(other, ReleasingClock::Never);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, FeeQuestion, mrCancel);
  EXPECT_THROW(dm->Fee_->Delete(), EAbort);
  EXPECT_GE(clock.milliseconds(), 5000u) << "asked only after the quiet window";
  expectStoredFeeInBrowse(*dm->Fee_, stored);
  EXPECT_EQ(rows("Fee.qf;RES:FEES", {"Client Code", "Group Code"}), stored);
}

TEST_F(TransactionDelete, ADeletedDescriptionIsAudited) {
  dm->TrDesc_->SetTableName(dataDir + "\\TrDesc.qf;RES:TRDESC");
  dm->TrDesc_->Open();
  dm->TrDesc_->First();
  ScriptedMessageBoxes boxes;
  dm->TrDesc_->Delete();
  EXPECT_TRUE(dm->TrDesc_->IsEmpty());
  EXPECT_EQ(audit({"audit", "audit", "description", "SeqNumber"}),
            (std::vector<std::string>{"8|8|Drafted the will|00000042"}));
}

TEST_F(TransactionDelete, AMissingAuditModelTurnsTheTrailOffOnceAndFeesAreStillDeleted) {
  ASSERT_EQ(std::remove((programDir + "/Tran.clo").c_str()), 0);
  openFees();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "x=1\r\rQuillon was unable to access the alter audit trail file " + dataDir +
                                  "\\Tran07.s. You will be able to alter transactions, you just won't get a report "
                                  "documenting the changes you have made.  Please contact Vantor support with any "
                                  "questions.");
  dm->Fee_->Delete();
  EXPECT_TRUE(AuditTrailDisabled);
  EXPECT_TRUE(dm->Fee_->IsEmpty());
  EXPECT_FALSE(exists("Tran07.s"));
  EXPECT_FALSE(dm->OpenAuditTrail2());
}

TEST_F(TransactionDelete, AnAuditRecordThatCannotBeWrittenStopsTheFeeDelete) {
  ASSERT_EQ(std::system(("cp '" + programDir + "/Tran.clo' '" + dataDir + "/Tran07.s'").c_str()), 0);
  // The other workstation writes the audit file within a transaction it does not end.
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/Tran07.s"), 0);
  ASSERT_EQ(other.status("begin"), 0);
  ASSERT_EQ(other.status("insert 0 " + std::string(2 * 127, '0')), 0);
  openFees();
  ScriptedMessageBoxes boxes;
  try {
    dm->Fee_->Delete();
    ADD_FAILURE() << "the delete went on";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message().rfind("Quillon was unable to write to the audit trail file:\r\r", 0), 0u) << e.Message();
  }
  EXPECT_EQ(dm->Fee_->State(), dsBrowse);
  EXPECT_EQ(rows("Fee.qf;RES:FEES", {"Client Code"}), (std::vector<std::string>{"BRIGHT"}));
}

}  // namespace
