// The locate dialog over the framework's table on a clients file made by qnseed, run as the user
// runs it: a script fills the form when it shows and presses its buttons; message boxes are
// answered by script too.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "datagrid/LocateDialog.h"
#include "datagrid/LocateDialogForm.h"
#include "datagrid/tests/LocateDialogScripts.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/db/DataSource.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using qn::ui::testing::ScriptedMessageBoxes;

namespace {

using clientstable::kCity;
using clientstable::kCode;
using clientstable::kLastName;

class LocateDialogOnRecordFileTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    qn::ui::testing::qtApplication();
    openClients({{"ADAMS", "Adams", "Paris"},
                 {"BRIGHT", "Bright", "Rome"},
                 {"JONES", "Smithers", "Oslo"},
                 {"KING", "Kingsmith", "Rome"},
                 {"SMITH", "Smith", "Paris"}});
    table->FieldByName(kCity)->SetDisplayLabel("Home~Town");
    source.SetDataSet(table.get());
    dialog.SetDataSource(&source);
  }
  void TearDown() override { source.SetDataSet(nullptr); }

  std::string code() { return table->FieldByName(kCode)->AsString(); }
  // Runs the dialog; the script plays on the form once it shows.
  bool run(std::function<void(TdcLocateDlg&)> script) {
    dialog.OnInitDialog = [script](TdcLocateDlg* form) { script(*form); };
    return dialog.Execute();
  }
  static void fill(TdcLocateDlg& form, const char* label, const char* value) {
    ComboBox* fields = form.FieldNameComboBox;
    fields->SetItemIndex(fields->Items()->IndexOf(label));
    form.SearchValue->SetText(value);
  }

  TDataSource source{nullptr};
  TdcLocateDialog dialog{nullptr};
};

TEST_F(LocateDialogOnRecordFileTest, FirstWithAMatchClosesTheFormOnTheRecord) {
  table->Last();
  EXPECT_TRUE(run([](TdcLocateDlg& form) {
    fill(form, kLastName, "smi");
    form.FirstButton->Click();
  }));
  EXPECT_EQ(code(), "JONES");
  EXPECT_EQ(dialog.SearchField, kLastName);
  EXPECT_EQ(dialog.SearchValue(), "smi");
}

TEST_F(LocateDialogOnRecordFileTest, FirstWithoutAMatchSaysSoAndStaysOpenUntilCancel) {
  table->Last();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No matches found");
  bool stillOpen = false;
  EXPECT_FALSE(run([&stillOpen](TdcLocateDlg& form) {
    fill(form, kLastName, "Baker");
    form.FirstButton->Click();
    stillOpen = form.ModalResult() == mrNone;
    form.CancelButton->Click();
  }));
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(code(), "SMITH");
}

TEST_F(LocateDialogOnRecordFileTest, NextGoesOnFromTheCurrentRecordAndSaysWhenThereIsNoMore) {
  ASSERT_TRUE(table->FindKey({Variant("JONES")}));
  dialog.SearchField = kLastName;
  dialog.MatchType = mtPartialMatchAny;
  EXPECT_TRUE(run([](TdcLocateDlg& form) {
    form.SearchValue->SetText("SMITH");
    form.NextButton->Click();
  }));
  EXPECT_EQ(code(), "KING");
  EXPECT_TRUE(run([](TdcLocateDlg& form) { form.NextButton->Click(); }));
  EXPECT_EQ(code(), "SMITH");

  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No more matches found");
  EXPECT_FALSE(run([](TdcLocateDlg& form) {
    form.NextButton->Click();
    if (form.ModalResult() == mrNone) form.CancelButton->Click();
  }));
  EXPECT_EQ(code(), "SMITH");
}

TEST_F(LocateDialogOnRecordFileTest, FieldValueMatchTypeAndCaseAreCarriedIntoTheNextRun) {
  EXPECT_TRUE(run([](TdcLocateDlg& form) {
    fill(form, "Home Town", "Rome");
    form.CaseSensitiveCheckBox->SetChecked(true);
    form.ExactMatchBtn->SetChecked(true);
    form.FirstButton->Click();
  }));
  EXPECT_EQ(code(), "BRIGHT");
  EXPECT_EQ(dialog.SearchField, kCity);
  EXPECT_EQ(dialog.MatchType, mtExactMatch);
  EXPECT_TRUE(dialog.CaseSensitive);

  locate_dialog_test::ShownSearch shown;
  EXPECT_FALSE(run([&](TdcLocateDlg& form) { locate_dialog_test::readShownSearch(form, shown); }));
  EXPECT_EQ(shown.value, "Rome");
  EXPECT_EQ(shown.field, "Home Town");
  EXPECT_TRUE(shown.caseSensitive);
  EXPECT_TRUE(shown.exact);
}

TEST_F(LocateDialogOnRecordFileTest, TheFieldListShowsTheFilesFieldsByLabel) {
  std::vector<AnsiString> items;
  auto listItems = [&items](TdcLocateDlg& form) { locate_dialog_test::readFieldList(form, items); };
  // Every field of the file, in field order, the city under its label.
  std::vector<AnsiString> all;
  for (int i = 0; i < table->Fields().Count(); ++i) {
    const AnsiString name = table->Fields()[i]->FieldName();
    all.push_back(name == kCity ? AnsiString("Home Town") : name);
  }
  dialog.SortFields = fsSortByFieldNo;
  run(listItems);
  EXPECT_EQ(items, all);

  for (int i = 0; i < table->Fields().Count(); ++i) {
    const AnsiString name = table->Fields()[i]->FieldName();
    table->Fields()[i]->SetVisible(name == kCode || name == kLastName || name == kCity);
  }
  table->FieldByName(kLastName)->SetDisplayLabel("Surname");
  dialog.FieldSelection = fsVisibleFields;
  run(listItems);
  EXPECT_EQ(items, (std::vector<AnsiString>{kCode, "Surname", "Home Town"}));
  dialog.SortFields = fsSortByFieldName;
  run(listItems);
  EXPECT_EQ(items, (std::vector<AnsiString>{kCode, "Home Town", "Surname"}));
}

TEST_F(LocateDialogOnRecordFileTest, AClosedTableIsToldAndAnswersFalse) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "DataSource does not reference an active DataSet");
  table->Close();
  EXPECT_FALSE(run([](TdcLocateDlg&) { ADD_FAILURE() << "the form showed"; }));
}

}  // namespace
