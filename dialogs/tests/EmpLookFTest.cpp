// The employee picker: inactive employees left out of the lists yet named by their codes, the
// names without a first name, and the inactive list read once for the run.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/EmpLookF.h"
#include "dialogs/tests/PickerFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/testing/LocalApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"

namespace dialogs_test {
namespace {

class EmpLookFTest : public PickerFixture {
 protected:
  std::unique_ptr<TEmpLookF> makePicker() {
    std::unique_ptr<TComponent> made(CreateComponentByClassName("TEmpLookF", nullptr));
    std::unique_ptr<TEmpLookF> picker(dynamic_cast<TEmpLookF*>(made.release()));
    dock(picker.get());
    picker->OpenEmployeeTables();
    return picker;
  }
};

std::vector<std::string> listed(TDataSet* table, const char* field) {
  std::vector<std::string> all;
  for (table->First(); !table->Eof(); table->Next()) all.push_back(table->FieldByName(field)->AsString());
  return all;
}

TEST_F(EmpLookFTest, InactiveEmployeesAreLeftOutOfBothListsYetTheirCodesShowTheirNames) {
  MatterLoaded = true;
  auto picker = makePicker();
  EXPECT_EQ(listed(picker->Emp1_, "LastCommaFirst"), (std::vector<std::string>{"Smith", "Jones, Anna"}));
  EXPECT_EQ(listed(picker->Emp2_, "LastCommaFirst"), (std::vector<std::string>{"Jones, Anna", "Smith"}));
  struct Case {
    const char* typed;
    const char* shown;
  };
  for (const Case& c : {Case{"E1", "Smith"}, Case{"E2", "Jones, Anna"}, Case{"E9", "Gone, Gary"},
                        Case{"E8", "Left, Lucy"}, Case{"E7", "NOT FOUND"}, Case{"", ""}}) {
    picker->CCAName->SetText("before");
    picker->CCACode->SetText(c.typed);
    EXPECT_EQ(picker->CCAName->Text(), c.shown) << c.typed;
  }
}

TEST_F(EmpLookFTest, NothingFollowsTheCodeWithoutAMatterOrItsEdits) {
  auto picker = makePicker();
  picker->CCAName->SetText("before");
  picker->CCACode->SetText("E1");
  EXPECT_EQ(picker->CCAName->Text(), "before");
  HeaderEditsShown = true;
  picker->CCACode->SetText("E2");
  EXPECT_EQ(picker->CCAName->Text(), "Jones, Anna");
}

TEST_F(EmpLookFTest, TheInactiveListsAreFilledOnceForTwoEmployeeForms) {
  auto first = makePicker();
  auto second = makePicker();
  EXPECT_EQ(InactiveEmployeeCodes, (std::vector<AnsiString>{"E8", "E9"}));
  EXPECT_EQ(InactiveEmployeeNames, (std::vector<AnsiString>{"Left, Lucy", "Gone, Gary"}));
  EXPECT_TRUE(HasInactiveEmployees());
}

TEST_F(EmpLookFTest, TheWidthFollowsTheMainFormsName) {
  auto picker = makePicker();
  EXPECT_EQ(picker->Width(), 647);
  host->SetName("ClientF");
  auto client = makePicker();
  EXPECT_EQ(client->Width(), 547);
  EXPECT_EQ(client->Label1->Caption(), "Coordinating");
  EXPECT_EQ(client->CCACode->MaxLength(), 4);
}

TEST_F(EmpLookFTest, AMissingEmployeeFileIsToldAndEndsTheProgram) {
  const qn::ui::testing::LocalApplication ending;
  LookupDataDir = qn::testing::makeScratchDir("no-employees");
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Unable to open the employee file.\rPlease Call Vantor, Inc. for assistance.");
  TEmpLookF form(nullptr);
  form.OpenEmployeeTables();
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
}  // namespace dialogs_test
