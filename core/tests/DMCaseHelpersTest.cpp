// A matter's description lines and addresses moved to the undelete files and back, and the case
// lookup that sees closed matters.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/tests/DataModuleFixture.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using core_test::DataModuleFixture;
using qn::ui::testing::ScriptedMessageBoxes;

class CaseHelpers : public DataModuleFixture {
 protected:
  std::vector<std::string> lines(const char* file) {
    return rows(std::string(file) + ";RES:CASEDESC", {"ClientCode", "CaseSuffix", "DescNum", "Descr"});
  }
  std::vector<std::string> addresses(const char* file) {
    return rows(std::string(file) + ";RES:CASEADDR", {"Client Code", "Case Suffix", "Address Type", "Name1"});
  }
  const std::vector<std::string> allLines = {
      "ADAMS|      1|01|First line", "ADAMS|      1|02|Second", "ADAMS|      1|03|Third",
      "ADAMS|      1|20|Twentieth",  "ADAMS|      1|21|Past the description", "ADAMS|      1|31|Old note one",
      "ADAMS|      1|32|Old two",    "ADAMS|      1|99|Reserve", "ADAMS|      2|02|Other matter",
      "BRIGHT|      1|02|Bright's"};
  const std::vector<std::string> keptLines = {
      "ADAMS|      1|01|First line", "ADAMS|      1|21|Past the description", "ADAMS|      1|31|Old note one",
      "ADAMS|      1|32|Old two",    "ADAMS|      1|99|Reserve", "ADAMS|      2|02|Other matter",
      "BRIGHT|      1|02|Bright's"};
  const std::vector<std::string> movedLines = {"ADAMS|      1|02|Second", "ADAMS|      1|03|Third",
                                               "ADAMS|      1|20|Twentieth"};
};

TEST_F(CaseHelpers, DescriptionsTwoToTwentyAreDeletedAndSavedThenReinstated) {
  goToCase("ADAMS", "1");
  dm->DeleteCaseDescriptions(true);
  EXPECT_EQ(lines("cdesc.qf"), keptLines);
  EXPECT_EQ(lines("cdescsav.qf"), movedLines);
  EXPECT_FALSE(dm->CaseDescs_->Active());
  EXPECT_FALSE(dm->CaseDescsSave->Active());

  dm->ReinstateCaseDescriptions();
  EXPECT_EQ(lines("cdesc.qf"), allLines);
  EXPECT_TRUE(lines("cdescsav.qf").empty());
}

TEST_F(CaseHelpers, DescriptionsDeletedWithoutACopyAreGone) {
  goToCase("ADAMS", "1");
  dm->DeleteCaseDescriptions(false);
  EXPECT_EQ(lines("cdesc.qf"), keptLines);
  EXPECT_TRUE(lines("cdescsav.qf").empty());
  dm->ReinstateCaseDescriptions();
  EXPECT_EQ(lines("cdesc.qf"), keptLines);
}

TEST_F(CaseHelpers, AddressesAreDeletedAndSavedThenReinstated) {
  const std::vector<std::string> all = {"ADAMS|      1|B|Billing", "ADAMS|      1|M|Mailing",
                                        "ADAMS|      2|B|Other matter", "BRIGHT|      1|B|Bright"};
  goToCase("ADAMS", "1");
  dm->DeleteCaseAddresses(true);
  EXPECT_EQ(addresses("caseaddr.qf"), (std::vector<std::string>{"ADAMS|      2|B|Other matter", "BRIGHT|      1|B|Bright"}));
  EXPECT_EQ(addresses("addrsave.qf"), (std::vector<std::string>{"ADAMS|      1|B|Billing", "ADAMS|      1|M|Mailing"}));
  dm->ReinstateCaseAddresses();
  EXPECT_EQ(addresses("caseaddr.qf"), all);
  EXPECT_TRUE(addresses("addrsave.qf").empty());

  dm->DeleteCaseAddresses(false);
  EXPECT_TRUE(addresses("addrsave.qf").empty());
  EXPECT_EQ(addresses("caseaddr.qf").size(), 2u);
}

TEST_F(CaseHelpers, AMissingUndeleteFileIsReportedAndNothingIsDeleted) {
  std::filesystem::remove(dataDir + "/CDescSav.QF");
  goToCase("ADAMS", "1");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Unable to open cdescsav.qf.Please contact Vantor, Inc. for assistance.");
  dm->DeleteCaseDescriptions(true);
  EXPECT_EQ(lines("cdesc.qf"), allLines);
  EXPECT_FALSE(dm->CaseDescs_->Active());
}

TEST_F(CaseHelpers, ValidateCaseCodeFindsAClosedMatterAndPutsTheFilterBack) {
  goToCase("ADAMS", "1");
  dm->Case1_->SetFilter("[Case Status 1] <> 'X'");
  dm->Case1_->SetFiltered(true);
  bool found = false;
  EXPECT_TRUE(dm->ValidateCaseCode("ADAMS", "2", found));
  EXPECT_TRUE(found);
  EXPECT_TRUE(dm->Case1_->Filtered());
  EXPECT_EQ(dm->Case1_->Filter(), "[Case Status 1] <> 'X'");

  EXPECT_TRUE(dm->ValidateCaseCode("BRIGHT", "1", found));
  EXPECT_EQ(dm->Case1_->FieldByName("Client Code")->AsString(), "BRIGHT");
  EXPECT_FALSE(dm->ValidateCaseCode("CLARK", "1", found));
  EXPECT_FALSE(found);
  // The filter is in force again: the closed matter is not listed.
  int shown = 0;
  for (dm->Case1_->First(); !dm->Case1_->Eof(); dm->Case1_->Next()) ++shown;
  EXPECT_EQ(shown, 2);
}

}  // namespace
