// The combo box on the application's tables: made by class name, the filter dialog's value combo,
// and the grid showing a map list's display text in the rows the combo is not mounted on.
#include <QTest>
#include <fstream>

#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDialogForm.h"
#include "datagrid/tests/FilterCasesFixture.h"
#include "datagrid/tests/PublishedGridFixture.h"
#include "editors/DBComboBox.h"
#include "editors/PopupListbox.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/SafeDispatch.h"
#include "recordmgr/tests/RecordingLog.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"
#include "framework/base/PublishedProperties.h"

namespace publishedgridtest {
namespace {

constexpr const char* kAdditional = "make this an additional address";

// A data folder whose matter-address file holds one address of each type given, for ADAMS 1.
std::string seedAddresses(const std::vector<std::string>& types) {
  const std::string root = qn::testing::makeScratchDir("combo-addresses");
  const std::string fixture = root + "/fixture";
  const std::string data = root + "/data";
  EXPECT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
  std::ofstream seed(fixture + "/CaseAddr.qf.seed");
  for (const std::string& type : types)
    seed << "Client Code = ADAMS\nCase Suffix = 1\nAddress Type = " << type << "\nName1 = Name " << type << "\n\n";
  seed.close();
  const std::string command =
      "'" + qn::recmgr::testing::programFolder() + "/qnseed' data '" + data + "' '" + fixture + "' >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return data;
}

class DBComboBoxInGridTest : public PublishedGridTest {};

TEST_F(DBComboBoxInGridTest, TheGridShowsTheMapListsDisplayTextInTheRowsTheComboIsNotOn) {
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  TdcTbTable addresses(nullptr);
  addresses.SetDatabaseName(seedAddresses({"M", "X"}));
  addresses.SetTableName("CaseAddr.qf;RES:CASEADDR");
  addresses.SetIndexName("1");
  auto* combo = new TdcDBComboBox(form);
  combo->SetName("AddressTypeCombo");
  combo->SetParent(form);
  combo->SetMapList(true);
  combo->Items()->Add("main address\tM");
  combo->Items()->Add(std::string(kAdditional) + "\tX");
  addresses.ControlType()->SetText("Address Type;Combo;AddressTypeCombo\r\n");
  addresses.Open();
  bind(&addresses);
  paint();
  TField* type = addresses.FieldByName("Address Type");
  addresses.First();
  EXPECT_EQ(type->AsString(), "M");
  EXPECT_EQ(grid->GetCellText(type), "main address");
  addresses.Next();
  EXPECT_EQ(type->AsString(), "X");
  EXPECT_EQ(grid->GetCellText(type), kAdditional);
  combo->SetMapList(false);
  EXPECT_EQ(grid->GetCellText(type), "X") << "without a map list the field's own text";
}

TEST(DBComboBoxByNameTest, TheComboIsMadeByClassNameAndItsPropertiesByName) {
  qn::ui::testing::qtApplication();
  std::unique_ptr<TComponent> made(CreateComponentByClassName("TdcDBComboBox", nullptr));
  auto* combo = dynamic_cast<TdcDBComboBox*>(made.get());
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(ClassInheritsFromName(combo->ClassInfo(), "TdcDBCustomCombo"));
  WriteBooleanProperty(combo, "ShowButton", false);
  EXPECT_FALSE(combo->GetShowButton());
  WriteBooleanProperty(combo, "ShowMatchText", true);
  EXPECT_TRUE(combo->ShowMatchText());
  std::optional<TStrings*> items = ReadStringListProperty(combo, "Items");
  ASSERT_TRUE(items && *items);
  (*items)->Add("one");
  EXPECT_EQ(combo->Items()->Count(), 1);
  EXPECT_EQ(combo->Style(), csDropDown);
  EXPECT_EQ(combo->ButtonStyle(), cbsDownArrow);
  EXPECT_EQ(combo->DropDownCount(), 8);
}

class DBComboBoxFilterTest : public filtercases::CasesTableTest {};

TEST_F(DBComboBoxFilterTest, TheFilterDialogsValueComboIsTheComboBoxAndShowsTheFieldsItems) {
  TDataSource source;
  source.SetDataSet(table.get());
  TdcFilterDialog dialog(nullptr);
  dialog.SelectedFields()->SetText(std::string(filtercases::kLast) + ";Last Name\r\n");
  dialog.SetDataSource(&source);
  dialog.OnSelectField = [](TObject*, const AnsiString&, AnsiString&, TStrings* Items) {
    Items->Add("Adams");
    Items->Add("Baker");
  };
  bool checked = false;
  dialog.OnInitDialog = [&](TdcFilterDlg* form) {
    qn::ui::postCall([&, form] {
      auto* combo = dynamic_cast<TdcDBComboBox*>(form->FilterValueCombo);
      EXPECT_NE(combo, nullptr);
      form->SelectField(0);
      if (combo) {
        EXPECT_EQ(combo->Items()->Count(), 2);
        EXPECT_TRUE(combo->GetShowButton());
        EXPECT_TRUE(combo->ShowMatchText());
        if (combo->Visible() && combo->CanFocus()) {
          combo->SetFocus();
          combo->DropDown();
          EXPECT_EQ(combo->PopupList()->Items()->Count(), 2);
          EXPECT_EQ(combo->PopupList()->Items()->Strings(1), "Baker");
          combo->CloseUp(false);
        }
      }
      checked = true;
      if (form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
    });
  };
  dialog.Execute();
  EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace publishedgridtest
