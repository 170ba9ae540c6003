// The filter dialog's search form, scripted as a user works it: layout, pages and locks by field
// type, refused values, New Search, Delete on the searched tab, the summary.
#include <gtest/gtest.h>

#include "datagrid/FilterDialogView.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "datagrid/tests/FilterCasesFixture.h"
#include "datagrid/tests/FilterDialogTestSupport.h"
#include "framework/base/DateTime.h"
#include "framework/db/DataSource.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using filtercases::kBudget;
using filtercases::kLast;
using filtercases::Names;
using filterdialogtest::runDialog;
using qn::ui::testing::ScriptedMessageBoxes;

namespace {

int scaled(int value) { return value * Screen->PixelsPerInch() / 96; }

void pick(TdcFilterDlg& form, const char* label) { form.SelectField(form.FieldsListBox->Items()->IndexOf(label)); }

int selectedLength(TWinControl* control) { return dynamic_cast<TCustomEdit&>(*control).SelLength(); }

class FilterDialogFormTest : public filtercases::CasesTableTest {
 protected:
  void SetUp() override {
    CasesTableTest::SetUp();
    filterdialogtest::registerEditors();
    source.SetDataSet(table.get());
    dialog.Options = FilterOption(fdShowOKCancel) | FilterOption(fdShowViewSummary) |
                     FilterOption(fdShowValueRangeTab) | FilterOption(fdShowNonMatching) |
                     FilterOption(fdShowFieldOrder);
    dialog.SelectedFields()->SetText(std::string(kLast) + ";Last Name\r\n" + kBudget + "\r\nCase Suffix\r\n");
    dialog.SetDataSource(&source);
  }

  // Installs "smith" on the last name and "A" on the suffix.
  void installTwoCriteria() {
    runDialog(dialog, [](TdcFilterDlg& form) {
      pick(form, "Last Name");
      form.ValueControl()->SetText("smith");
      pick(form, "Case Suffix");
      form.ValueControl()->SetText("A");
      form.OKButton->Click();
    });
    ASSERT_EQ(dialog.Criteria().size(), 2u);
  }

  TDataSource source;
  TdcFilterDialog dialog{nullptr};
};

TEST_F(FilterDialogFormTest, TheFieldListFollowsDlgHeight) {
  for (bool fieldOrder : {true, false}) {
    if (!fieldOrder) dialog.Options &= ~FilterOption(fdShowFieldOrder);
    runDialog(dialog, [fieldOrder](TdcFilterDlg& form) {
      EXPECT_EQ(form.FieldsListBox->Height(), scaled(fieldOrder ? 160 : 197));
      EXPECT_EQ(form.FieldOrder->Visible(), fieldOrder);
      EXPECT_EQ(form.Height(), scaled(267));
      EXPECT_GE(form.ClearSearchButton->Top(), scaled(209));
      EXPECT_EQ(form.ViewButton->Top(), form.ClearSearchButton->Top());
    });
  }
  dialog.SetDlgHeight(400);
  runDialog(dialog, [](TdcFilterDlg& form) {
    EXPECT_EQ(form.FieldsListBox->Height(), scaled(400 - 70));
    EXPECT_EQ(form.Height(), scaled(400));
  });
}

TEST_F(FilterDialogFormTest, ANumericFieldOfTheTableLocksTheMatchGroupAndOpensTheRangePage) {
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    EXPECT_TRUE(form.MatchTypeGroup->Enabled());
    EXPECT_EQ(form.SelectNotebook->ActivePage(), form.ValuePage);
    pick(form, kBudget);
    EXPECT_FALSE(form.MatchTypeGroup->Enabled());
    EXPECT_EQ(form.MatchTypeGroup->ItemIndex(), 0);
    EXPECT_FALSE(form.CaseSensitive->Enabled());
    EXPECT_EQ(form.SelectNotebook->ActivePage(), form.RangePage);
    EXPECT_EQ(form.ValueRangeTabSet->TabIndex(), 1);
    EXPECT_EQ(form.FieldCriteria->Text(), kBudget);
  });
}

TEST_F(FilterDialogFormTest, OnlyTheOrWordSeparatesTheNumbersOfAValue) {
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, kBudget);
    form.ValueRangeTabSet->tabChosenByUser(0);
    ASSERT_EQ(form.SelectNotebook->ActivePage(), form.ValuePage);
    form.ValueControl()->SetText("1 and 2");
    form.OKButton->Click();
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_TRUE(form.WorkingCriteria().empty());
    EXPECT_EQ(selectedLength(form.ValueControl()), 7);
    // The list keeps the field while its value is refused.
    form.SelectField(0);
    EXPECT_EQ(form.FieldsListBox->Items()->Strings(form.FieldsListBox->ItemIndex()), kBudget);
    form.ValueControl()->SetText("10.5 or 100");
    form.OKButton->Click();
  }));
  ASSERT_EQ(dialog.Criteria().size(), 1u);
  EXPECT_EQ(dialog.Criteria()[0].MatchType, fdMatchExact);
  EXPECT_EQ(dialog.Criteria()[0].FilterValue, "10.5 or 100");
  EXPECT_EQ(shown(), (Names{"SMITH", "jonesy"}));
}

TEST_F(FilterDialogFormTest, ABoundThatIsNoNumberIsRefusedOnTheRangePage) {
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, kBudget);
    form.MinValueEdit->SetText("10");
    form.MaxValueEdit->SetText("12x");
    form.OKButton->Click();
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_EQ(selectedLength(form.MaxValueEdit), 3);
    form.MaxValueEdit->SetText("12");
    form.OKButton->Click();
  }));
  ASSERT_EQ(dialog.Criteria().size(), 1u);
  EXPECT_EQ(dialog.Criteria()[0].MatchType, fdMatchRange);
  EXPECT_EQ(shown(), (Names{"SMITH", "Xavier", "MAX", "Nullis"}));
}

TEST_F(FilterDialogFormTest, NewSearchThenOkInstallsNoCriterion) {
  installTwoCriteria();
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    EXPECT_TRUE(form.ClearSearchButton->Enabled());
    form.ClearSearchButton->Click();
    EXPECT_TRUE(form.WorkingCriteria().empty());
    EXPECT_EQ(form.FieldTabSet->TabIndex(), 0);
    EXPECT_EQ(form.MatchTypeGroup->ItemIndex(), 1);
    EXPECT_FALSE(form.ClearSearchButton->Enabled());
    form.OKButton->Click();
  }));
  EXPECT_TRUE(dialog.Criteria().empty());
  EXPECT_EQ(shown().size(), filtercases::kMatters.size());
}

TEST_F(FilterDialogFormTest, DeleteOnTheSearchedTabRemovesCriteriaToAnEmptyList) {
  installTwoCriteria();
  runDialog(dialog, [](TdcFilterDlg& form) {
    ASSERT_EQ(form.FieldTabSet->TabIndex(), 1);
    EXPECT_EQ(form.FieldsListBox->Items()->Text(), "Last Name\r\nCase Suffix\r\n");
    form.FieldsListBox->SetFocus();
    QTest::keyClick(form.FieldsListBox->Window(), Qt::Key_Delete);
    EXPECT_EQ(form.FieldsListBox->Items()->Text(), "Case Suffix\r\n");
    EXPECT_EQ(form.FieldsListBox->ItemIndex(), 0);
    EXPECT_EQ(form.ValueControl()->Text(), "A");
    QTest::keyClick(form.FieldsListBox->Window(), Qt::Key_Delete);
    EXPECT_EQ(form.FieldsListBox->Items()->Count(), 0);
    EXPECT_TRUE(form.WorkingCriteria().empty());
    EXPECT_TRUE(form.Modified());
    form.CancelButton->Click();
  });
  EXPECT_EQ(dialog.Criteria().size(), 2u);
}

TEST_F(FilterDialogFormTest, TheSearchedTabWithoutCriteriaIsRefused) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "You have not selected any search criteria");
  runDialog(dialog, [](TdcFilterDlg& form) {
    form.FieldTabSet->tabChosenByUser(1);
    EXPECT_EQ(form.FieldTabSet->TabIndex(), 0);
    EXPECT_EQ(form.FieldsListBox->Items()->Count(), 3);
  });
}

TEST_F(FilterDialogFormTest, TheSearchedTabListsWhatWasTypedSoFar) {
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Case Suffix");
    form.ValueControl()->SetText("B");
    form.FieldTabSet->tabChosenByUser(1);
    EXPECT_EQ(form.FieldTabSet->TabIndex(), 1);
    EXPECT_EQ(form.FieldsListBox->Items()->Text(), "Case Suffix\r\n");
    form.FieldTabSet->tabChosenByUser(0);
    EXPECT_EQ(form.FieldsListBox->Items()->Count(), 3);
    EXPECT_EQ(form.FieldsListBox->Items()->Strings(form.FieldsListBox->ItemIndex()), "Case Suffix");
  });
}

TEST_F(FilterDialogFormTest, ArrowKeysOutsideTheListMoveItsSelection) {
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    form.ValueControl()->SetFocus();
    form.ValueControl()->SetText("smith");
    QTest::keyClick(form.ValueControl()->Window(), Qt::Key_Down);
    EXPECT_EQ(form.FieldsListBox->Items()->Strings(form.FieldsListBox->ItemIndex()), kBudget);
    ASSERT_EQ(form.WorkingCriteria().size(), 1u);
    EXPECT_EQ(form.WorkingCriteria()[0].FilterValue, "smith");
    EXPECT_EQ(form.WorkingCriteria()[0].MatchType, fdMatchStart);
    QTest::keyClick(form.MinControl()->Window(), Qt::Key_PageDown);
    EXPECT_EQ(form.FieldsListBox->ItemIndex(), 2);
    QTest::keyClick(form.ValueControl()->Window(), Qt::Key_PageUp);
    EXPECT_EQ(form.FieldsListBox->ItemIndex(), 0);
    EXPECT_EQ(form.ValueControl()->Text(), "smith");
  });
}

TEST_F(FilterDialogFormTest, ASelectedFieldMayOfferAPickList) {
  dialog.OnSelectField = [](TObject*, const AnsiString& FieldName, AnsiString& PictureMask, TStrings* ComboList) {
    if (FieldName != "Case Suffix") return;
    PictureMask = "!";
    ComboList->Add("A");
    ComboList->Add("B");
  };
  runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Last Name");
    EXPECT_EQ(form.ValueControl(), form.FilterValueEdit);
    pick(form, "Case Suffix");
    EXPECT_EQ(form.ValueControl(), form.FilterValueCombo);
    EXPECT_EQ(ReadBooleanProperty(form.FilterValueCombo, "ShowButton"), true);
    EXPECT_EQ(ReadStringProperty(ReadObjectProperty(form.FilterValueEdit, "Picture").value(), "PictureMask"), "!");
    form.ValueControl()->SetText("B");
    form.MatchTypeGroup->SetItemIndex(2);
    EXPECT_EQ(form.ValueControl(), form.FilterValueEdit);
    EXPECT_EQ(form.ValueControl()->Text(), "B");
    EXPECT_EQ(ReadBooleanProperty(form.FilterValueEdit, "UsePictureMask"), false);
  });
}

TEST(FilterDialogDateFormTest, ADateFieldGetsDatePickersAndRefusesAnImpossibleDate) {
  qn::ui::testing::qtApplication();
  filterdialogtest::registerEditors();
  datagridtest::ExtendedTestDataSet records(nullptr);
  records.FieldDefs().Add("Name", ftString, 10);
  records.FieldDefs().Add("Opened", ftDate);
  records.Open();
  for (int day : {1, 15, 28}) {
    records.Append();
    records.FieldByName("Name")->SetAsString("d" + std::to_string(day));
    records.FieldByName("Opened")->SetAsDateTime(EncodeDate(2001, 2, day));
    records.Post();
  }
  TDataSource source;
  source.SetDataSet(&records);
  TdcFilterDialog dialog(nullptr);
  dialog.SetDataSource(&source);
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    pick(form, "Opened");
    EXPECT_EQ(form.SelectNotebook->ActivePage(), form.RangePage);
    EXPECT_EQ(form.MinControl(), form.MinDateEdit);
    EXPECT_TRUE(form.MinDateEdit->Visible());
    EXPECT_FALSE(form.MinValueEdit->Visible());
    EXPECT_EQ(ReadEnumerationProperty(form.MinDateEdit, "UnboundDataType"), 1);
    EXPECT_FALSE(form.MatchTypeGroup->Enabled());
    form.ValueRangeTabSet->tabChosenByUser(0);
    form.ValueControl()->SetText("2/30/2001");
    form.OKButton->Click();
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_EQ(form.SelectNotebook->ActivePage(), form.ValuePage);
    EXPECT_EQ(selectedLength(form.ValueControl()), 9);
    form.ValueRangeTabSet->tabChosenByUser(1);
    EXPECT_EQ(form.ValueRangeTabSet->TabIndex(), 0);
    form.ValueControl()->SetText("");
    form.ValueRangeTabSet->tabChosenByUser(1);
    ASSERT_EQ(form.ValueRangeTabSet->TabIndex(), 1);
    WriteFloatProperty(form.MinDateEdit, "Date", EncodeDate(2001, 2, 10));
    form.OKButton->Click();
  }));
  ASSERT_EQ(dialog.Criteria().size(), 1u);
  EXPECT_EQ(dialog.Criteria()[0].MinValue, "2/10/2001");
  EXPECT_EQ(records.RecordCount(), 2);
}

TEST(FilterSummaryTest, RowsForValuesAndRanges) {
  qn::ui::testing::qtApplication();
  TdcFieldOperators operators;
  auto row = [&operators](TdcFilterMatchType type, const char* value, bool nonMatching, const char* min = "",
                          const char* max = "") {
    TdcFieldInfo c;
    c.DisplayLabel = "Last Name";
    c.MatchType = type;
    c.FilterValue = value;
    c.NonMatching = nonMatching;
    c.MinValue = min;
    c.MaxValue = max;
    const std::array<AnsiString, 3> texts = FilterSummaryRow(c, operators);
    return std::vector<AnsiString>(texts.begin(), texts.end());
  };
  using Row = std::vector<AnsiString>;
  EXPECT_EQ(row(fdMatchStart, "smith", false), (Row{"Last Name", "Partial Match at Beginning", "smith"}));
  EXPECT_EQ(row(fdMatchExact, "smith", true), (Row{"Last Name", "Exact Match", "NOT smith"}));
  EXPECT_EQ(row(fdMatchAny, "smith or jones", true), (Row{"Last Name", "Partial Match Anywhere", "NOT (smith or jones)"}));
  EXPECT_EQ(row(fdMatchRange, "", false, "A", "M"), (Row{"Last Name", "By Range", ">=A, <=M"}));
  EXPECT_EQ(row(fdMatchRange, "", false, "", "M"), (Row{"Last Name", "By Range", "<=M"}));
  EXPECT_EQ(row(fdMatchRange, "", false, "A", ""), (Row{"Last Name", "By Range", ">=A"}));
}

TEST(FilterSummaryTest, TheViewShowsAHeaderAndARowPerCriterion) {
  qn::ui::testing::qtApplication();
  TdcFieldOperators operators;
  TdcFieldInfo value;
  value.DisplayLabel = "Name";
  value.FilterValue = "smith";
  TdcFieldInfo bounds;
  bounds.DisplayLabel = "Budget";
  bounds.MatchType = fdMatchRange;
  bounds.MinValue = "10";
  TdcFilterDialogView view(nullptr, {value, bounds}, operators);
  EXPECT_EQ(view.Caption(), "Show Search Summary");
  EXPECT_EQ(view.StringGrid1->rowCount(), 3);
  EXPECT_EQ(view.StringGrid1->rowTexts(0), (std::vector<AnsiString>{"Field", "Search Type", "Value"}));
  EXPECT_EQ(view.StringGrid1->rowTexts(2), (std::vector<AnsiString>{"Budget", "By Range", ">=10"}));
  EXPECT_EQ(view.StringGrid1->columnWidth(2), scaled(197));
  EXPECT_TRUE(view.StringGrid1->editorReadOnly());
  EXPECT_GT(view.CancelButton->Left(), view.ClientWidth());
}

}  // namespace
