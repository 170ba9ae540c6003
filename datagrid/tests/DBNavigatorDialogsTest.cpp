// The dialog buttons find the dialog their place owns or make one by class name, connect it by
// property name and run it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDialogForm.h"
#include "datagrid/LocateDialog.h"
#include "datagrid/LocateDialogForm.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "datagrid/StringHelpers.h"
#include "datagrid/tests/FilterDialogTestSupport.h"
#include "datagrid/tests/NavigatorFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/SafeDispatch.h"

namespace navigatortest {
namespace {

class DBNavigatorDialogsTest : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    table->Open();
    locate = navigator->Buttons()->AddButton(nbsLocateDialog);
    form->SetWidth(800);
    navigator->SetAutosizeStyle(asNone);
    navigator->SetWidth(600);
    navigator->Buttons()->ArrangeButtons();
  }

  // The locate form, once shown, looks the client code up from the first record.
  static void findCode(TdcLocateDialog* dialog, const char* value) {
    dialog->OnInitDialog = [value](TdcLocateDlg* shown) {
      ComboBox* fields = shown->FieldNameComboBox;
      fields->SetItemIndex(fields->Items()->IndexOf(datasettest::kClientCode));
      shown->SearchValue->SetText(value);
      shown->FirstButton->Click();
    };
  }

  TdcNavButton* locate = nullptr;
};

TEST_F(DBNavigatorDialogsTest, TheLocateButtonMakesItsDialogOnceConnectsItAndRunsIt) {
  std::vector<TdcCustomDialog*> made;
  locate->OnAfterCreateDialog = [&](TdcCustomDialog* dialog) {
    made.push_back(dialog);
    auto* locateDialog = dynamic_cast<TdcLocateDialog*>(dialog);
    ASSERT_NE(locateDialog, nullptr);
    findCode(locateDialog, "C07");
  };
  click(nbsLocateDialog);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0]->Owner(), navigator);
  EXPECT_EQ(static_cast<TdcLocateDialog*>(made[0])->DataSource(), source);
  EXPECT_EQ(locate->Dialog(), made[0]);
  EXPECT_EQ(code(), "C07");

  findCode(static_cast<TdcLocateDialog*>(made[0]), "C12");
  click(nbsLocateDialog);
  EXPECT_EQ(made.size(), 1u) << "the button keeps its dialog";
  EXPECT_EQ(code(), "C12");

  delete made[0];
  EXPECT_EQ(locate->Dialog(), nullptr) << "a freed dialog is forgotten";
}

TEST_F(DBNavigatorDialogsTest, ADialogTheNavigatorAlreadyOwnsForItsDatasetIsUsed) {
  TDataSource otherSource(nullptr);
  auto* elsewhere = new TdcLocateDialog(navigator);
  elsewhere->SetDataSource(&otherSource);
  auto* placed = new TdcLocateDialog(navigator);
  placed->SetDataSource(source);
  findCode(placed, "C03");
  locate->OnAfterCreateDialog = [](TdcCustomDialog*) { ADD_FAILURE() << "a dialog was made"; };
  click(nbsLocateDialog);
  EXPECT_EQ(locate->Dialog(), placed);
  EXPECT_EQ(code(), "C03");
}

TEST_F(DBNavigatorDialogsTest, ADialogButtonIsEnabledWhileItsDialogHasADataset) {
  EXPECT_TRUE(locate->Enabled());
  auto* unbound = new TdcLocateDialog(navigator);
  locate->SetDialog(unbound);
  EXPECT_FALSE(locate->Enabled()) << "its dialog works on no dataset";
  unbound->SetDataSource(source);
  table->Next();
  EXPECT_TRUE(locate->Enabled());
  table->Close();
  EXPECT_FALSE(locate->Enabled());
}

TEST_F(DBNavigatorDialogsTest, GivingADialogSetsTheStyleItsClassNames) {
  TdcNavButton* b = navigator->Buttons()->AddButton(nbsFirst);
  auto* dialog = new TdcLocateDialog(navigator);
  b->SetDialog(dialog);
  EXPECT_EQ(b->Style(), nbsLocateDialog);
  EXPECT_EQ(b->ImageIndex(), -1);
  EXPECT_EQ(b->Hint(), "Locate a specific record");
}

TEST_F(DBNavigatorDialogsTest, TheRecordViewButtonMakesItsDialogOnceConnectsItAndRunsIt) {
  TdcNavButton* recordView = navigator->Buttons()->AddButton(nbsRecordViewDialog);
  navigator->Buttons()->ArrangeButtons();
  std::vector<TdcCustomDialog*> made;
  std::vector<std::string> shownCodes;
  recordView->OnAfterCreateDialog = [&](TdcCustomDialog* dialog) {
    made.push_back(dialog);
    auto* recordDialog = dynamic_cast<TdcRecordViewDialog*>(dialog);
    ASSERT_NE(recordDialog, nullptr);
    // The form shows the record the navigator stands on and is then cancelled.
    recordDialog->OnInitDialog = [&](TdcRecordViewForm* form) {
      qn::ui::postCall([&, form] {
        shownCodes.push_back(code());
        form->SetModalResult(mrCancel);
      });
    };
  };
  table->MoveBy(4);
  click(nbsRecordViewDialog);
  ASSERT_EQ(made.size(), 1u);
  auto* dialog = static_cast<TdcRecordViewDialog*>(made[0]);
  EXPECT_EQ(recordView->Dialog(), dialog);
  EXPECT_EQ(dialog->Owner(), navigator);
  EXPECT_EQ(dialog->DataSource(), source) << "connected through its DataSource property";
  table->Next();
  click(nbsRecordViewDialog);
  EXPECT_EQ(made.size(), 1u) << "the button keeps its dialog";
  EXPECT_EQ(shownCodes, (std::vector<std::string>{"C05", "C06"}));
  EXPECT_EQ(dialog->Form(), nullptr) << "each run's form is gone";
}

class DBNavigatorFilterButtonTest : public DBNavigatorDialogsTest {
 protected:
  void SetUp() override {
    DBNavigatorDialogsTest::SetUp();
    filterdialogtest::registerEditors();
    filter = navigator->Buttons()->AddButton(nbsFilterDialog);
    navigator->Buttons()->ArrangeButtons();
  }

  // The filter form, once shown, keeps the clients whose code starts with the prefix.
  void keepCodesStarting(TdcFilterDialog* dialog, const char* prefix) {
    const AnsiString label = StrReplaceCharByChar(table->FieldByName(datasettest::kClientCode)->DisplayLabel(), '~', ' ');
    filterdialogtest::scriptDialog(*dialog, [label, prefix](TdcFilterDlg& shown) {
      const int entry = shown.FieldsListBox->Items()->IndexOf(label);
      EXPECT_GE(entry, 0) << label << " in " << shown.FieldsListBox->Items()->Text();
      shown.SelectField(entry);
      shown.MatchTypeGroup->SetItemIndex(1);  // a match at the beginning
      shown.ValueControl()->SetText(prefix);
      shown.OKButton->Click();
    });
  }

  // The seeded codes with that prefix, in key order.
  static std::vector<std::string> seededCodesStarting(const std::string& prefix) {
    std::vector<std::string> codes;
    for (const std::string& c : clientCodes(20))
      if (c.starts_with(prefix)) codes.push_back(c);
    return codes;
  }

  std::vector<std::string> codesShown() {
    std::vector<std::string> codes;
    for (table->First(); !table->Eof(); table->Next()) codes.push_back(code());
    return codes;
  }

  TdcNavButton* filter = nullptr;
};

TEST_F(DBNavigatorFilterButtonTest, TheFilterButtonMakesTheLibrarysDialogOnTheDatasetAndRunsIt) {
  std::vector<TdcCustomDialog*> made;
  filter->OnAfterCreateDialog = [&](TdcCustomDialog* dialog) {
    made.push_back(dialog);
    auto* filterDialog = dynamic_cast<TdcFilterDialog*>(dialog);
    ASSERT_NE(filterDialog, nullptr);
    keepCodesStarting(filterDialog, "C1");
  };
  click(nbsFilterDialog);
  ASSERT_EQ(made.size(), 1u);
  auto* dialog = static_cast<TdcFilterDialog*>(made[0]);
  EXPECT_EQ(filter->Dialog(), dialog);
  EXPECT_EQ(dialog->Owner(), table) << "the filter dialog belongs with its dataset";
  EXPECT_EQ(dialog->DataSource(), source) << "connected through its DataSource property";
  EXPECT_EQ(codesShown(), seededCodesStarting("C1"));

  keepCodesStarting(dialog, "C2");
  click(nbsFilterDialog);
  EXPECT_EQ(made.size(), 1u) << "the button keeps its dialog";
  EXPECT_EQ(codesShown(), seededCodesStarting("C2"));
}

TEST_F(DBNavigatorFilterButtonTest, AFilterDialogTheDatasetOwnsIsUsedAndNotOneOnTheNavigator) {
  auto* onNavigator = new TdcFilterDialog(navigator);
  onNavigator->SetDataSource(source);
  onNavigator->OnInitDialog = [](TdcFilterDlg*) { ADD_FAILURE() << "the navigator's filter dialog ran"; };
  auto* placed = new TdcFilterDialog(table);
  placed->SetDataSource(source);
  keepCodesStarting(placed, "C0");
  filter->OnAfterCreateDialog = [](TdcCustomDialog*) { ADD_FAILURE() << "a dialog was made"; };
  click(nbsFilterDialog);
  EXPECT_EQ(filter->Dialog(), placed);
  EXPECT_EQ(codesShown(), seededCodesStarting("C0"));
}

}  // namespace
}  // namespace navigatortest
