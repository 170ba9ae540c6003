// Current-period bills and fees of a matter, and the bill table limited to a matter.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/tests/DataModuleFixture.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using core_test::DataModuleFixture;
using qn::ui::testing::ScriptedMessageBoxes;

class Bills : public DataModuleFixture {
 protected:
  // The bills Bill_ shows, "client-suffix-type-date", from the first.
  std::vector<std::string> shown() {
    std::vector<std::string> all;
    TdcTbTable* t = dm->Bill_;
    for (t->First(); !t->Eof(); t->Next())
      all.push_back(Trim(t->FieldByName("Client Code")->AsString()) + "-" + Trim(t->FieldByName("Case Suffix")->AsString()) +
                    "-" + t->FieldByName("Type")->AsString() + "-" + t->FieldByName("TransactionDate")->AsString());
    return all;
  }
};

TEST_F(Bills, CurrentBillsAndFeesOfAMatter) {
  EXPECT_TRUE(dm->CaseHasCurrentBill("ADAMS", "2", false));
  EXPECT_FALSE(dm->CaseHasCurrentBill("ADAMS", "3", false));
  EXPECT_FALSE(dm->CaseHasCurrentBill("CLARK", "1", false));
  EXPECT_TRUE(dm->CaseHasCurrentFee("BRIGHT", "1", false));
  EXPECT_FALSE(dm->CaseHasCurrentFee("ADAMS", "1", false));
  goToCase("BRIGHT", "1");
  EXPECT_TRUE(dm->CaseHasCurrentFee("", "", true));
  EXPECT_TRUE(dm->CaseHasCurrentBill("", "", true));
  EXPECT_FALSE(dm->Bill_->Active());
  EXPECT_FALSE(dm->Fee_->Active());
}

TEST_F(Bills, AMissingBillFileCountsAsABillAfterItsWarning) {
  std::filesystem::remove(dataDir + "/Bill.qf");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Unable to open the current period billing file.\rPlease contact Vantor, Inc. for assistance.");
  EXPECT_TRUE(dm->CaseHasCurrentBill("CLARK", "1", false));
  EXPECT_FALSE(dm->Bill_->Active());
}

TEST_F(Bills, ARangeWithASuffixKeepsToTheMatter) {
  EXPECT_TRUE(dm->OpenBillRange("bill.qf", "ADAMS", "R", "1"));
  EXPECT_EQ(shown(), (std::vector<std::string>{"ADAMS-1-B-240101", "ADAMS-1-R-240201"}));
  EXPECT_TRUE(dm->OpenBillRange("bill.qf", "ADAMS", "B", "1"));
  EXPECT_EQ(shown(), (std::vector<std::string>{"ADAMS-1-B-240101"}));
}

TEST_F(Bills, ARangeWithoutASuffixKeepsToTheClient) {
  EXPECT_TRUE(dm->OpenBillRange("bill.qf", "ADAMS", "R", ""));
  EXPECT_EQ(shown(), (std::vector<std::string>{"ADAMS-1-B-240101", "ADAMS-1-R-240201", "ADAMS-2-B-240301"}));
  // A folder in place of the type: the history file there, type "B".
  EXPECT_TRUE(dm->OpenBillRange("hbill.qf", "ADAMS", dataDir, ""));
  EXPECT_EQ(shown(), (std::vector<std::string>{"ADAMS-1-B-230101", "ADAMS-2-B-230301"}));
}

TEST_F(Bills, AMissingHistoryFileIsReportedWithTheError) {
  std::filesystem::remove(dataDir + "/HBill.qf");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to open the history billing file.  (" + dataDir +
                            "\\hbill.qf).\rThe following error was encountered:  Btrieve Status 12 - The MicroKernel "
                            "cannot find the specified file.\r\nKey=[" + dataDir +
                            "\\hbill.qf]\r\nDBI Error Code = DBIERR_NOSUCHFILE\r\rPlease contact Vantor, Inc. for assistance.");
  EXPECT_FALSE(dm->OpenBillRange("hbill.qf", "ADAMS", "B", "1"));
  EXPECT_FALSE(dm->Bill_->Active());
}

TEST_F(Bills, CloseHelpersCloseAndForgetTheFile) {
  ASSERT_TRUE(dm->OpenBillRange("bill.qf", "ADAMS", "R", "1"));
  dm->CloseBill();
  EXPECT_FALSE(dm->Bill_->Active());
  EXPECT_EQ(dm->Bill_->TableName(), "");
  EXPECT_EQ(dm->Bill_->IndexName(), "");
  dm->CloseBill();  // closed already: nothing to do
  // The table opens again on another file with the fields it made the first time.
  EXPECT_TRUE(dm->OpenBillRange("hbill.qf", "ADAMS", "B", "1"));
  EXPECT_EQ(shown(), (std::vector<std::string>{"ADAMS-1-B-230101"}));
}

TEST_F(Bills, TheModulesDestroyHandlerClosesItsTablesAndTheClientSetWithTheAuditFiles) {
  program.reset();
  program = std::make_unique<qn::os::ExecutablePathOverride>("/opt/quillon/qnclient");
  ASSERT_TRUE(dm->ActivateCodeTables());
  ASSERT_TRUE(dm->OpenBillRange("bill.qf", "ADAMS", "R", "1"));
  ASSERT_TRUE(dm->OpenCaseSave());
  ASSERT_TRUE(dm->ActivateRATables());
  dm->DataModule1Destroy(dm.get());
  for (TdcTbTable* t : {dm->Bill_, dm->CaseSave_, dm->OffCodes1_, dm->OffCodes2_, dm->ClTypeTwo2_})
    EXPECT_FALSE(t->Active()) << t->Name();
  // The employee tables are not among them.
  EXPECT_TRUE(dm->RAOne1_->Active());
}

}  // namespace
