// The locate dialog run as the user runs it: a script fills the form when it shows and presses
// its buttons; message boxes are answered by script too.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "datagrid/LocateDialog.h"
#include "datagrid/LocateDialogForm.h"
#include "datagrid/tests/LocateDialogScripts.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using qn::ui::testing::ScriptedMessageBoxes;

namespace {

class LocateDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    people.FieldDefs().Add("Name", ftString, 20);
    people.FieldDefs().Add("City", ftString, 20);
    people.FieldDefs().Add("Photo", ftGraphic);
    people.FieldDefs().Add("Notes", ftMemo);
    people.FieldDefs().Add("Scan", ftBlob);
    people.FieldDefs().Add("Code", ftBytes, 4);
    people.Open();
    people.FieldByName("City")->SetDisplayLabel("Home~Town");
    for (const char* name : {"Adams", "Smith", "Jones", "smithers"}) {
      people.Append();
      people.FieldByName("Name")->SetAsString(name);
      people.Post();
    }
    people.First();
    source.SetDataSet(&people);
    dialog.SetDataSource(&source);
  }
  AnsiString Name() { return people.FieldByName("Name")->AsString(); }

  // Runs the dialog; script plays on the form once it shows.
  bool Run(std::function<void(TdcLocateDlg&)> script) {
    dialog.OnInitDialog = [script](TdcLocateDlg* form) { script(*form); };
    return dialog.Execute();
  }
  static void Fill(TdcLocateDlg& form, const char* label, const char* value) {
    ComboBox* fields = form.FieldNameComboBox;
    fields->SetItemIndex(fields->Items()->IndexOf(label));
    form.SearchValue->SetText(value);
  }

  MemoryDataSet people{nullptr};
  TDataSource source;
  TdcLocateDialog dialog{nullptr};
};

TEST_F(LocateDialogTest, FirstWithAMatchClosesTheFormOnTheRecord) {
  EXPECT_TRUE(Run([](TdcLocateDlg& form) {
    Fill(form, "Name", "smi");
    form.FirstButton->Click();
  }));
  EXPECT_EQ(Name(), "Smith");
  EXPECT_EQ(dialog.SearchField, "Name");
  EXPECT_EQ(dialog.SearchValue(), "smi");
}

TEST_F(LocateDialogTest, FirstWithoutAMatchSaysSoAndStaysOpenUntilCancel) {
  people.Last();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No matches found");
  bool stillOpen = false;
  EXPECT_FALSE(Run([&stillOpen](TdcLocateDlg& form) {
    Fill(form, "Name", "Baker");
    form.FirstButton->Click();
    stillOpen = form.ModalResult() == mrNone;
    form.CancelButton->Click();
  }));
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Name(), "smithers");
}

TEST_F(LocateDialogTest, NextGoesOnFromTheCurrentRecordAndSaysWhenThereIsNoMore) {
  auto next = [](TdcLocateDlg& form) {
    form.NextButton->Click();
    if (form.ModalResult() == mrNone) form.CancelButton->Click();
  };
  people.Next();  // on Smith
  dialog.SearchField = "Name";
  dialog.MatchType = mtPartialMatchAny;
  EXPECT_TRUE(Run([](TdcLocateDlg& form) {
    form.SearchValue->SetText("ITH");
    form.NextButton->Click();
  }));
  EXPECT_EQ(Name(), "smithers");

  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No more matches found");
  EXPECT_FALSE(Run(next));
  EXPECT_EQ(Name(), "smithers");
}

TEST_F(LocateDialogTest, FieldValueMatchTypeAndCaseAreCarriedIntoTheNextRun) {
  EXPECT_TRUE(Run([](TdcLocateDlg& form) {
    Fill(form, "Name", "Jones");
    form.CaseSensitiveCheckBox->SetChecked(true);
    form.ExactMatchBtn->SetChecked(true);
    form.FirstButton->Click();
  }));
  EXPECT_EQ(dialog.MatchType, mtExactMatch);
  EXPECT_TRUE(dialog.CaseSensitive);

  locate_dialog_test::ShownSearch shown;
  EXPECT_FALSE(Run([&](TdcLocateDlg& form) { locate_dialog_test::readShownSearch(form, shown); }));
  EXPECT_EQ(shown.value, "Jones");
  EXPECT_EQ(shown.field, "Name");
  EXPECT_TRUE(shown.caseSensitive);
  EXPECT_TRUE(shown.exact);
}

TEST_F(LocateDialogTest, TheFieldListShowsLabelsWithBlanksAndNoBinaryFields) {
  std::vector<AnsiString> items;
  auto listItems = [&items](TdcLocateDlg& form) { locate_dialog_test::readFieldList(form, items); };
  dialog.SortFields = fsSortByFieldNo;
  Run(listItems);
  EXPECT_EQ(items, (std::vector<AnsiString>{"Name", "Home Town", "Notes"}));
  dialog.SortFields = fsSortByFieldName;
  Run(listItems);
  EXPECT_EQ(items, (std::vector<AnsiString>{"Home Town", "Name", "Notes"}));
  people.FieldByName("Notes")->SetVisible(false);
  dialog.FieldSelection = fsVisibleFields;
  Run(listItems);
  EXPECT_EQ(items, (std::vector<AnsiString>{"Home Town", "Name"}));
}

TEST_F(LocateDialogTest, ALabelSearchesItsFieldAndTheFormShowsTheLibraryTexts) {
  people.Edit();
  people.FieldByName("City")->SetAsString("Rome");
  people.Post();
  people.Last();
  AnsiString caption, group;
  EXPECT_TRUE(Run([&](TdcLocateDlg& form) {
    caption = form.Caption();
    group = form.FieldsGroup->Text();
    Fill(form, "Home Town", "ro");
    form.FirstButton->Click();
  }));
  EXPECT_EQ(Name(), "Adams");
  EXPECT_EQ(dialog.SearchField, "City");
  EXPECT_EQ(caption, "Locate Field Value");
  EXPECT_EQ(group, "&Fields");
}

TEST_F(LocateDialogTest, WithoutAnActiveDatasetItSaysSoAndAnswersFalse) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "DataSource does not reference an active DataSet");
  people.Close();
  EXPECT_FALSE(Run([](TdcLocateDlg&) { ADD_FAILURE() << "the form showed"; }));
  boxes.expect(mtError, "DataSource does not reference an active DataSet");
  dialog.SetDataSource(nullptr);
  EXPECT_FALSE(Run([](TdcLocateDlg&) { ADD_FAILURE() << "the form showed"; }));
}

}  // namespace
