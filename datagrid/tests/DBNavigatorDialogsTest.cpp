// The dialog buttons find the dialog their place owns or make one by class name, connect it by
// property name and run it.
#include <gtest/gtest.h>

#include "datagrid/LocateDialog.h"
#include "datagrid/LocateDialogForm.h"
#include "datagrid/tests/NavigatorFixture.h"
#include "framework/base/ClassRegistry.h"

namespace navigatortest {
namespace {

// Stands in for the library's filter dialog under its class name: the navigator knows that
// dialog only by its class name and its published DataSource.
class TdcFilterDialog : public TdcCustomDialog {
  QN_PUBLISHED_CLASS(TdcFilterDialog, TdcCustomDialog)
 public:
  explicit TdcFilterDialog(TComponent* AOwner) : TdcCustomDialog(AOwner) {}
  bool Execute() override {
    ++runs;
    return true;
  }
  TDataSet* GetPrimaryDataSet() override { return source ? source->DataSet() : nullptr; }
  TDataSource* DataSource() const { return source; }
  void SetDataSource(TDataSource* Value) { source = Value; }

  TDataSource* source = nullptr;
  int runs = 0;
};

void TdcFilterDialog::PublishProperties(PropertyPublisher<TdcFilterDialog>& publish) {
  publish.Object("DataSource", &TdcFilterDialog::DataSource, &TdcFilterDialog::SetDataSource);
}

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

class DBNavigatorFilterButtonTest : public DBNavigatorDialogsTest {
 protected:
  void SetUp() override {
    DBNavigatorDialogsTest::SetUp();
    const TClassInfo* registered = FindRegisteredClass("TdcFilterDialog");
    if (registered && registered != TdcFilterDialog::StaticClassInfo())
      GTEST_SKIP() << "the library's own filter dialog is registered under that name";
    RegisterClass<TdcFilterDialog>();
    filter = navigator->Buttons()->AddButton(nbsFilterDialog);
    navigator->Buttons()->ArrangeButtons();
  }
  TdcNavButton* filter = nullptr;
};

TEST_F(DBNavigatorFilterButtonTest, TheFilterButtonMakesItsDialogOnTheDatasetAndRunsIt) {
  int made = 0;
  filter->OnAfterCreateDialog = [&](TdcCustomDialog*) { ++made; };
  click(nbsFilterDialog);
  auto* dialog = dynamic_cast<TdcFilterDialog*>(filter->Dialog());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(dialog->Owner(), table) << "the filter dialog belongs with its dataset";
  EXPECT_EQ(dialog->source, source) << "connected through its DataSource property";
  EXPECT_EQ(dialog->runs, 1);
  click(nbsFilterDialog);
  EXPECT_EQ(filter->Dialog(), dialog);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(dialog->runs, 2);
}

TEST_F(DBNavigatorFilterButtonTest, AFilterDialogTheDatasetOwnsIsUsed) {
  auto* placed = new TdcFilterDialog(table);
  placed->SetDataSource(source);
  click(nbsFilterDialog);
  EXPECT_EQ(filter->Dialog(), placed);
  EXPECT_EQ(placed->runs, 1);
  auto* onNavigator = new TdcFilterDialog(navigator);
  onNavigator->SetDataSource(source);
  filter->SetDialog(nullptr);
  click(nbsFilterDialog);
  EXPECT_EQ(filter->Dialog(), placed) << "the navigator is not where a filter dialog is looked for";
}

}  // namespace
}  // namespace navigatortest
