// The filter dialog run as the application runs it on its case grid: a record-manager table,
// the application's settings, the search form scripted, message boxes answered by script.
#include <gtest/gtest.h>

#include <memory>

#include "datagrid/tests/ExtendedTestDataSet.h"
#include "datagrid/tests/FilterCasesFixture.h"
#include "datagrid/tests/FilterDialogTestSupport.h"
#include "framework/db/DataSource.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using filtercases::kBudget;
using filtercases::kLast;
using filtercases::Names;
using filterdialogtest::runDialog;
using qn::ui::testing::ScriptedMessageBoxes;

namespace {

class FilterDialogTest : public filtercases::CasesTableTest {
 protected:
  void SetUp() override {
    CasesTableTest::SetUp();
    filterdialogtest::registerEditors();
    source.SetDataSet(table.get());
    // The application's settings.
    dialog.Options = FilterOption(fdShowOKCancel) | FilterOption(fdShowViewSummary) |
                     FilterOption(fdShowValueRangeTab) | FilterOption(fdShowNonMatching);
    dialog.SortBy = fdSortByFieldNo;
    dialog.Caption = "Find...";
    dialog.SetFilterMethod(fdByFilter);
    dialog.DefaultMatchType = fdDefaultMatchStart;
    dialog.DefaultFilterBy = fdSmartFilter;
    dialog.FilterOptimization = fdUseActiveIndex;
    dialog.QueryFormatDateMode = qfdMonthDayYear;
    dialog.SelectedFields()->SetText(std::string("Client Code\r\n") + kLast + ";Last Name\r\n" + kBudget +
                                     "\r\nCase Suffix\r\n");
    dialog.SetDataSource(&source);
  }

  static void pick(TdcFilterDlg& form, const char* label) {
    form.SelectField(form.FieldsListBox->Items()->IndexOf(label));
  }
  // Types a value on the value page, with a match-type item.
  static void typeValue(TdcFilterDlg& form, const char* value, int matchItem = 1) {
    form.MatchTypeGroup->SetItemIndex(matchItem);
    form.ValueControl()->SetText(value);
  }

  TDataSource source;
  TdcFilterDialog dialog{nullptr};
};

TEST_F(FilterDialogTest, OkInstallsTheRecordTestOnTheTable) {
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    EXPECT_EQ(form.Caption(), "Find...");
    EXPECT_EQ(form.FieldsListBox->Items()->Text(), "Client Code\r\nLast Name\r\nFee Budget $\r\nCase Suffix\r\n");
    pick(form, "Last Name");
    typeValue(form, "smith or jones");
    form.OKButton->Click();
  }));
  ASSERT_EQ(dialog.Criteria().size(), 1u);
  EXPECT_EQ(dialog.Criteria()[0].FieldName, kLast);
  EXPECT_EQ(dialog.Criteria()[0].DisplayLabel, "Last Name");
  EXPECT_TRUE(table->Filtered());
  EXPECT_EQ(shown(), (Names{"SMITH", "Smithers", "JONES", "jonesy"}));
}

TEST_F(FilterDialogTest, CancelAppliesNothing) {
  EXPECT_FALSE(runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    typeValue(form, "smith");
    form.CancelButton->Click();
  }));
  EXPECT_TRUE(dialog.Criteria().empty());
  EXPECT_FALSE(table->Filtered());
}

TEST_F(FilterDialogTest, AnInactiveDatasetIsRefused) {
  table->Close();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Dataset must be active to perform local filtering (FilterMethod=fdByFilter).");
  EXPECT_FALSE(dialog.Execute());
}

TEST_F(FilterDialogTest, EqualOrAndAndWarnAndTheRunGoesOn) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Operators do not have a unique value.");
  dialog.FieldOperators()->SetAndChar("or");
  boxes.expect(mtWarning, "And and Or Operators have the same value.");
  bool formShown = false;
  EXPECT_FALSE(runDialog(dialog, [&formShown](TdcFilterDlg&) { formShown = true; }));
  EXPECT_TRUE(formShown);
}

TEST_F(FilterDialogTest, AfterResetFilterEveryRecordPassesAndTheNextRunStartsEmpty) {
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    typeValue(form, "smith");
    form.OKButton->Click();
  });
  EXPECT_EQ(shown(), (Names{"SMITH", "Smithers"}));
  dialog.ResetFilter();
  EXPECT_TRUE(table->Filtered());
  EXPECT_EQ(shown().size(), filtercases::kMatters.size());
  runDialog(dialog, [](TdcFilterDlg& form) {
    EXPECT_TRUE(form.WorkingCriteria().empty());
    EXPECT_EQ(form.FieldTabSet->TabIndex(), 0);
    form.CancelButton->Click();
  });
}

TEST_F(FilterDialogTest, TheNextRunShowsTheSearchedFieldsAndOkReappliesOnATable) {
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    typeValue(form, "smith");
    form.OKButton->Click();
  });
  // A table has no filter options, so OK without a change applies again.
  table->SetOnFilterRecord(nullptr);
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    EXPECT_EQ(form.FieldTabSet->TabIndex(), 1);
    EXPECT_EQ(form.FieldsListBox->Items()->Text(), "Last Name\r\n");
    EXPECT_EQ(form.ValueControl()->Text(), "smith");
    EXPECT_FALSE(form.Modified());
    form.OKButton->Click();
  }));
  EXPECT_TRUE(static_cast<bool>(table->OnFilterRecord()));
  EXPECT_EQ(shown(), (Names{"SMITH", "Smithers"}));
}

TEST_F(FilterDialogTest, ClosingTheTableForgetsTheCriteria) {
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    typeValue(form, "smith");
    form.OKButton->Click();
  });
  ASSERT_EQ(dialog.Criteria().size(), 1u);
  table->Close();
  EXPECT_TRUE(dialog.Criteria().empty());
}

TEST_F(FilterDialogTest, TheTableOutlivesTheDialogAndItsRecordTest) {
  auto own = std::make_unique<TdcFilterDialog>(nullptr);
  own->SetDataSource(&source);
  runDialog(*own, [](TdcFilterDlg& form) {
    pick(form, "Client Code");
    form.ValueControl()->SetText("C");
    form.OKButton->Click();
  });
  ASSERT_TRUE(static_cast<bool>(table->OnFilterRecord()));
  own.reset();
  EXPECT_FALSE(static_cast<bool>(table->OnFilterRecord()));
  EXPECT_EQ(shown().size(), filtercases::kMatters.size());
}

TEST_F(FilterDialogTest, AQueryMethodIsRefusedForATable) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Invalid FilterMethod for Dataset. \rOnly fdByFilter is supported for this type of Dataset");
  dialog.SetFilterMethod(fdByQueryModify);
  EXPECT_EQ(dialog.FilterMethod(), fdByFilter);
}

TEST(FilterDialogSettingsTest, DlgHeightNeverShrinksBelowTheForm) {
  TdcFilterDialog dialog(nullptr);
  dialog.SetDlgHeight(200);
  EXPECT_EQ(dialog.DlgHeight(), 267);
  dialog.SetDlgHeight(300);
  EXPECT_EQ(dialog.DlgHeight(), 300);
}

TEST(FilterDialogOptionsTest, OkWithoutAChangeWhileFilteringIsOnAppliesNothing) {
  qn::ui::testing::qtApplication();
  filterdialogtest::registerEditors();
  datagridtest::ExtendedTestDataSet people(nullptr);
  people.FieldDefs().Add("Name", ftString, 20);
  people.Open();
  for (const char* name : {"Adams", "Smith"}) {
    people.Append();
    people.FieldByName("Name")->SetAsString(name);
    people.Post();
  }
  TDataSource source;
  source.SetDataSet(&people);
  TdcFilterDialog dialog(nullptr);
  dialog.SetDataSource(&source);
  runDialog(dialog, [](TdcFilterDlg& form) {
    form.ValueControl()->SetText("smi");
    form.OKButton->Click();
  });
  EXPECT_EQ(people.OnFilterOptions & 1, 1u);
  EXPECT_EQ(people.RecordCount(), 1);
  people.SetOnFilterRecord(nullptr);
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) { form.OKButton->Click(); }));
  EXPECT_FALSE(static_cast<bool>(people.OnFilterRecord()));
  // With filtering switched off, the same OK applies again.
  people.OnFilterOptions = 0;
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) { form.OKButton->Click(); }));
  EXPECT_TRUE(static_cast<bool>(people.OnFilterRecord()));
}

}  // namespace
