// The code tables and employee tables TDM opens, by the program file's name and the calendar flag.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Constants.h"
#include "core/Globals.h"
#include "core/tests/DataModuleFixture.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using core_test::DataModuleFixture;
using qn::ui::testing::ScriptedMessageBoxes;

// The codes a table shows, in its order.
std::string codes(TdcTbTable* table) {
  std::string all;
  for (table->First(); !table->Eof(); table->Next()) all += (all.empty() ? "" : ",") + Trim(table->FieldByName("code")->AsString());
  return all;
}

std::vector<TdcTbTable*> clientSet(TDM& dm) {
  return {dm.OffCodes1_, dm.OffCodes2_, dm.ClTypeOne1_, dm.ClTypeOne2_, dm.ClTypeTwo1_, dm.ClTypeTwo2_};
}

std::vector<TdcTbTable*> caseSet(TDM& dm) {
  return {dm.DeptCodes1_,  dm.DeptCodes2_,   dm.CaTypeOne1_, dm.CaTypeOne2_, dm.CaTypeTwo1_,
          dm.CaTypeTwo2_,  dm.CaTypeThree1_, dm.CaTypeThree2_, dm.StMsg1_,  dm.StMsg2_};
}

struct ProgramCase {
  const char* name;
  const char* path;
  bool clientSetOpen;
  bool caseSetOpen;
};

class CodeTablesByProgram : public DataModuleFixture, public ::testing::WithParamInterface<ProgramCase> {};

TEST_P(CodeTablesByProgram, TheProgramFilesNameChoosesTheSet) {
  program.reset();
  program = std::make_unique<qn::os::ExecutablePathOverride>(GetParam().path);
  ScriptedMessageBoxes boxes;  // no message in any case
  EXPECT_TRUE(dm->ActivateCodeTables());
  for (TdcTbTable* t : clientSet(*dm)) EXPECT_EQ(t->Active(), GetParam().clientSetOpen) << t->Name();
  for (TdcTbTable* t : caseSet(*dm)) EXPECT_EQ(t->Active(), GetParam().caseSetOpen) << t->Name();
}

INSTANTIATE_TEST_SUITE_P(Paths, CodeTablesByProgram,
                         ::testing::Values(ProgramCase{"Cases", "/opt/quillon/QNCASES", false, true},
                                           ProgramCase{"Client", "/opt/quillon/QNCLIENT", true, false},
                                           ProgramCase{"ClientBeforeCases", "/opt/quillon/qnclientcases", true, false},
                                           ProgramCase{"Neither", "/work/build/bin/core-tests", false, false},
                                           // A folder named "client" above the program changes nothing.
                                           ProgramCase{"ClientFolder", "/home/client/x/qncases", false, true},
                                           ProgramCase{"CasesFolder", "/home/cases/x/qnmain", false, false}),
                         [](const ::testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

TEST_F(DataModuleFixture, TheCaseSetShowsEachKindFilteredWithItsIndexes) {
  ASSERT_TRUE(dm->ActivateCodeTables());
  EXPECT_EQ(codes(dm->DeptCodes1_), "D1,D2");  // key 5: by code
  EXPECT_EQ(codes(dm->DeptCodes2_), "D2,D1");  // key 4: by description (Estates, Litigation)
  EXPECT_EQ(dm->DeptCodes1_->IndexName(), "5");
  EXPECT_EQ(dm->DeptCodes2_->IndexName(), "4");
  EXPECT_EQ(dm->CaTypeTwo2_->IndexName(), "4");
  EXPECT_EQ(dm->StMsg2_->IndexName(), "4");
  for (TdcTbTable* t : {dm->CaTypeOne1_, dm->CaTypeOne2_, dm->CaTypeTwo1_, dm->CaTypeThree1_, dm->CaTypeThree2_})
    EXPECT_EQ(codes(t), "A1") << t->Name();
  EXPECT_EQ(codes(dm->CaTypeTwo2_), "L1");
  EXPECT_EQ(codes(dm->StMsg1_), "S1");
}

TEST_F(DataModuleFixture, InCalendarModeTheCaseTypesAreCalendarItemsAndPlaces) {
  CalendarParameter = true;
  ASSERT_TRUE(dm->ActivateCodeTables());
  for (TdcTbTable* t : {dm->CaTypeOne1_, dm->CaTypeOne2_, dm->CaTypeTwo1_}) EXPECT_EQ(codes(t), "I1") << t->Name();
  for (TdcTbTable* t : {dm->CaTypeThree1_, dm->CaTypeThree2_}) EXPECT_EQ(codes(t), "P1") << t->Name();
  EXPECT_EQ(codes(dm->CaTypeTwo2_), "L1");
  EXPECT_EQ(codes(dm->DeptCodes1_), "D1,D2");
}

TEST_F(DataModuleFixture, TheClientSetShowsOfficesAndClientTypes) {
  program.reset();
  program = std::make_unique<qn::os::ExecutablePathOverride>("/opt/quillon/QNCLIENT");
  ASSERT_TRUE(dm->ActivateCodeTables());
  EXPECT_EQ(codes(dm->OffCodes1_), "OF1");
  EXPECT_EQ(codes(dm->OffCodes2_), "OF1");
  for (TdcTbTable* t : {dm->ClTypeOne1_, dm->ClTypeOne2_, dm->ClTypeTwo1_, dm->ClTypeTwo2_}) EXPECT_EQ(codes(t), "L1");
}

TEST_F(DataModuleFixture, AMissingCodeFileIsReportedAndLeavesTheTableClosed) {
  std::filesystem::remove(dataDir + "/YTable.qf");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to access the file ytable.qf.\r" + CallSupportText);
  EXPECT_EQ(CallSupportText, "\r\rPlease call Vantor, Inc. for assistance.");
  EXPECT_FALSE(dm->ActivateCodeTables());
  for (TdcTbTable* t : caseSet(*dm)) EXPECT_FALSE(t->Active()) << t->Name();
}

TEST_F(DataModuleFixture, DescCodeIsTheDescriptionAndTheCodeInBrackets) {
  ASSERT_TRUE(dm->ActivateCodeTables());
  dm->DeptCodes1_->First();
  EXPECT_EQ(dm->DeptCodes1_->FieldByName("DescCode")->AsString(), "Litigation  (D1)");
  std::vector<AnsiString> names;
  dm->DeptCodes1_->GetFieldNames(names);
  EXPECT_EQ(names, (std::vector<AnsiString>{"DescCode", "code", "type code", "Description", "transaction type"}));
}

TEST_F(DataModuleFixture, EmployeeTablesShowLastCommaFirstWithEitherNameAlone) {
  ASSERT_TRUE(dm->ActivateRATables());
  EXPECT_EQ(dm->RAOne1_->IndexName(), "1");
  EXPECT_EQ(dm->RAOne2_->IndexName(), "3");
  std::vector<std::string> shown;
  TdcTbTable* t = dm->RATwo1_;
  for (t->First(); !t->Eof(); t->Next())
    shown.push_back(t->FieldByName("Employee Code")->AsString() + "=" + t->FieldByName("LastCommaFirst")->AsString());
  EXPECT_EQ(shown, (std::vector<std::string>{"E1=Smith, Anna", "E2=Jones", "E3=Carl"}));
}

TEST_F(DataModuleFixture, AMissingEmployeeFileIsReported) {
  std::filesystem::remove(dataDir + "/YEmpl.qf");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to access the file yempl.qf.\r" + CallSupportText);
  EXPECT_FALSE(dm->ActivateRATables());
}

}  // namespace
