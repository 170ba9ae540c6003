// The dialog buttons find the dialog their place owns or make one by class name, connect it by
// property name and run it.
#include <gtest/gtest.h>

#include "datagrid/LocateDialog.h"
#include "datagrid/LocateDialogForm.h"
#include "datagrid/tests/NavigatorFixture.h"

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

}  // namespace
}  // namespace navigatortest
