// The lookup combo over record files made with qnseed: the client-name combo over the
// application's clients table and its calculated "LastCommaFirst", the library's table switched
// to the display field's index while searching, the combo mounted in a cell of the published grid
// and borrowed by the record view, and the data model's combo helpers on the real combo.
#include <QTest>

#include "core/DM.h"
#include "core/LayoutFields.h"
#include "core/LookupComboHelpers.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DcDataSource.h"
#include "datagrid/DcTable.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "editors/tests/LookupComboFixture.h"
#include "framework/ui/Color.h"
#include "framework/ui/Font.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"

namespace editorstest {
namespace {

struct Seeder : clientstable::ClientsTableTest {
  using ClientsTableTest::seedDataFolder;
};

class DBLookupComboOnTableTest : public LookupComboTest {
 protected:
  void SetUp() override {
    LookupComboTest::SetUp();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    std::string seed;
    for (const auto& [code, last, first] : std::vector<std::array<const char*, 3>>{
             {"ADAMS", "Adams", "Walter"}, {"BRIGHT", "Bright", ""}, {"SMITH", "Smith", "John"}, {"SMYTHE", "Smythe", "Ann"}})
      seed += std::string("Client Code = ") + code + "\nClient Last Name = " + last + "\nClient First Name = " + first + "\n\n";
    names.SetDatabaseName(Seeder::seedDataFolder("YClient.qf", seed));
    names.SetTableName("YClient.qf;RES:YCLIENT");
    names.SetIndexName("1");
    // As the data module makes its client tables.
    AddCalculatedText(&names, "LastCommaFirst", 40 + 2 + 30);
    DeclareLayoutFields(&names, {"Client Code", "Client First Name", "Client Last Name"});
    names.OnCalcFields = [](TDataSet* d) { calculateLastCommaFirst(d, "Client Last Name", "Client First Name"); };
    names.Open();
    cases.FieldDefs().Add("CaseID", ftString, 8);
    cases.FieldDefs().Add("Client Code", ftString, 7);
    cases.Open();
    cases.AppendRecord({Variant(AnsiString("M1")), Variant(AnsiString("SMITH"))});
    cases.AppendRecord({Variant(AnsiString("M2")), Variant(AnsiString("ADAMS"))});
    cases.First();
    casesSource.SetDataSet(&cases);
  }
  void TearDown() override {
    form.reset();
    codes.Close();
    names.Close();
    LookupComboTest::TearDown();
  }
  // The client-name combo: the name shown, the code kept.
  TdcDBLookupCombo* nameCombo(TComponent* owner, TWinControl* parent) {
    auto* c = new TdcDBLookupCombo(owner);
    c->SetParent(parent);
    c->SetBounds(10, 40, 200, 22);
    c->SetLookupTable(&names);
    c->SetLookupField("Client Code");
    StringList lines;
    lines.Add("LastCommaFirst\t30\tName");
    c->SetSelected(&lines);
    return c;
  }

  TdcTbTable names{nullptr};
  TdcTable codes{nullptr};
  datagridtest::ExtendedTestDataSet cases{nullptr};
  TDataSource casesSource{nullptr};
};

TEST_F(DBLookupComboOnTableTest, TheClientNameComboFindsTheCalculatedNameWithoutCase) {
  auto* c = nameCombo(form.get(), form.get());
  c->SetShowMatchText(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "sm");
  EXPECT_EQ(c->Text(), "Smith, John");
  EXPECT_EQ(c->SelText(), "ith, John");
  EXPECT_EQ(c->LookupValue(), "SMITH");
  type(c, "y");
  EXPECT_EQ(c->Text(), "Smythe, Ann");
  EXPECT_EQ(c->LookupValue(), "SMYTHE");
}

TEST_F(DBLookupComboOnTableTest, BoundToTheCaseTheComboShowsTheClientsNameAndWritesItsCode) {
  auto* c = nameCombo(form.get(), form.get());
  c->SetDataSource(&casesSource);
  c->SetDataField("Client Code");
  ASSERT_TRUE(show());
  EXPECT_EQ(c->Text(), "Smith, John");
  cases.Next();
  EXPECT_EQ(c->Text(), "Adams, Walter");
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Return);
  EXPECT_EQ(c->Text(), "Bright");
  next->SetFocus();
  cases.Post();
  EXPECT_EQ(cases.FieldByName("Client Code")->AsString(), "BRIGHT");
}

TEST_F(DBLookupComboOnTableTest, AnAcceptedPickReadsTheTablesRowsAgainShowingAnotherWorkstationsChange) {
  auto* c = nameCombo(form.get(), form.get());
  c->SetDataSource(&casesSource);
  c->SetDataField("Client Code");
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  ASSERT_EQ(names.FieldByName("Client Code")->AsString(), "SMITH");
  // Another workstation renames the next client while the drop-down shows it.
  TdcTbTable other{nullptr};
  other.SetDatabaseName(names.DatabaseName());
  other.SetTableName(names.TableName());
  other.SetIndexName("1");
  other.Open();
  ASSERT_TRUE(other.Locate("Client Code", {Variant(AnsiString("SMYTHE"))}, 0));
  other.Edit();
  other.FieldByName("Client Last Name")->SetAsString("Smithers");
  other.Post();
  other.Close();
  key(c, Qt::Key_Down);
  ASSERT_EQ(names.FieldByName("Client Code")->AsString(), "SMYTHE");
  EXPECT_EQ(names.FieldByName("Client Last Name")->AsString(), "Smythe") << "the row as the drop-down read it";
  key(c, Qt::Key_Return);
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(cases.FieldByName("Client Code")->AsString(), "SMYTHE");
  EXPECT_EQ(names.FieldByName("Client Code")->AsString(), "SMYTHE");
  EXPECT_EQ(names.FieldByName("Client Last Name")->AsString(), "Smithers");
  EXPECT_EQ(names.FieldByName("LastCommaFirst")->AsString(), "Smithers, Ann");
}

TEST_F(DBLookupComboOnTableTest, OrderByDisplaySwitchesTheLibrarysTableToTheDisplayIndexWhileSearching) {
  std::string seed;
  for (const char* code : {"A", "C", "B"}) seed += std::string("type code = O\ncode = ") + code + "\nDescription = " + code + " text\n\n";
  codes.SetDatabaseName(Seeder::seedDataFolder("YTable.qf", seed));
  codes.SetTableName("YTable.qf;RES:SIMPLECD");
  codes.SetIndexName("4");
  codes.Open();
  const AnsiString original = codes.IndexName();
  std::vector<AnsiString> during;
  TDataSource watch(nullptr);
  watch.SetDataSet(&codes);
  watch.OnDataChange = [&](TComponent*, TField*) { during.push_back(codes.IndexName()); };
  auto* c = place<TdcDBLookupCombo>();
  c->SetLookupTable(&codes);
  c->SetLookupField("code");
  c->SetShowMatchText(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "b");
  EXPECT_EQ(codes.FieldByName("code")->AsString(), "B");
  EXPECT_EQ(c->Text(), "B");
  ASSERT_FALSE(during.empty());
  EXPECT_NE(during.front(), original) << "the search ran on the code's index";
  EXPECT_EQ(codes.IndexName(), original) << "and the table went back to its own";
  during.clear();
  c->SetOrderByDisplay(false);
  c->SetText("");
  type(c, "c");
  EXPECT_EQ(codes.FieldByName("code")->AsString(), "C");
  for (const AnsiString& name : during) EXPECT_EQ(name, original);
}

TEST_F(DBLookupComboOnTableTest, ALookupComboColumnOfThePublishedGridMountsTheComboAndShowsNamesInTheOtherRows) {
  auto* grid = new TdcDBGrid(form.get());
  grid->SetParent(form.get());
  grid->SetBounds(10, 60, 400, 120);
  auto* c = nameCombo(form.get(), form.get());
  c->SetName("ClientNameCombo");
  c->SetVisible(false);
  cases.ControlType.Add("Client Code;LookupCombo;ClientNameCombo");
  TdcDataSource gridSource(nullptr);
  gridSource.SetDataSet(&cases);
  grid->SetDataSource(&gridSource);
  ASSERT_TRUE(show());
  TField* code = cases.FieldByName("Client Code");
  cases.Next();
  EXPECT_EQ(grid->GetCellText(code), "Adams, Walter") << "a name, not the code";
  cases.First();
  grid->SetFocus();
  for (int i = 0; i < grid->GetFieldCount(); ++i)
    if (grid->GetFields(i) == code) grid->SetSelectedIndex(i);
  grid->Window()->repaint();
  ASSERT_EQ(grid->MountedControl(), c);
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Return);
  grid->SetFocus();
  EXPECT_EQ(code->AsString(), "SMYTHE") << "the pick is written into the cell's field";
  TdcDBGridOptions options = grid->DBOptions();
  options.Include(dgAlwaysShowEditor);
  grid->SetDBOptions(options);
  grid->Window()->repaint();
  ASSERT_EQ(grid->MountedControl(), c);
  const int column = grid->SelectedIndex();
  c->SetFocus();
  c->SetSelStart(1);
  c->SetSelLength(0);
  key(c, Qt::Key_Left);
  EXPECT_EQ(grid->SelectedIndex(), column) << "inside the text the caret moves";
  key(c, Qt::Key_Left);
  EXPECT_EQ(grid->SelectedIndex(), column - 1) << "at the text's start the key leaves the cell";
  grid->SetDataSource(nullptr);
}

TEST_F(DBLookupComboOnTableTest, TheRecordViewBorrowingTheClientNameComboShowsTheCasesClientAtOnce) {
  TForm owner(nullptr);
  auto* c = nameCombo(&owner, &owner);
  c->SetName("ClientNameCombo");
  auto* dialog = new TdcRecordViewDialog(&owner);
  dialog->SetDataSource(&casesSource);
  dialog->ControlInfoInDataset = false;
  dialog->ControlType.Add("Client Code;LookupCombo;ClientNameCombo");
  AnsiString shown;
  dialog->OnInitDialog = [&](TdcRecordViewForm* viewForm) {
    qn::ui::postCall([&, viewForm] {
      shown = c->Text();
      viewForm->SetModalResult(mrCancel);
    });
  };
  dialog->Execute();
  EXPECT_EQ(shown, "Smith, John");
}

TEST_F(DBLookupComboOnTableTest, TheDataModelsComboHelpersWorkOnTheRealCombo) {
  auto* c = nameCombo(form.get(), form.get());
  ASSERT_TRUE(show());
  SetLookupComboMatch(c, true);
  EXPECT_TRUE(c->ShowMatchText());
  EXPECT_TRUE(c->AutoDropDown());
  EXPECT_EQ(c->SeqSearchOptions(), TdcSeqSearchOptions{ssoEnabled});
  c->SetFocus();
  c->DropDown();
  ASSERT_TRUE(c->IsDroppedDown());
  const AnsiString before = c->LookupValue();
  WORD pressed = VK_BACK;
  LookupComboKeyPress(c, pressed);
  EXPECT_FALSE(c->IsDroppedDown()) << "hiding the list closes the drop-down";
  EXPECT_FALSE(c->ShowMatchText());
  EXPECT_EQ(c->LookupValue(), before) << "nothing accepted";
  HighlightLookupCombos(form.get());
  EXPECT_EQ(c->DropDownList()->Color(), clYellow);
  EXPECT_EQ(c->DropDownList()->Font()->Color(), clMaroon);
}

}  // namespace
}  // namespace editorstest
