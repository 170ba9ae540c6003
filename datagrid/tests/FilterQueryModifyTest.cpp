// The filter dialog's statement rewrite on a dataset that publishes its statement: what the
// dataset is given, the original text after ResetFilter, and the failures told to the user.
#include <gtest/gtest.h>

#include <stdexcept>

#include "datagrid/tests/FilterDialogTestSupport.h"
#include "framework/db/DataSource.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using filterdialogtest::runDialog;
using qn::ui::testing::ScriptedMessageBoxes;

namespace {

// A dataset with a statement, as a query publishes it; it keeps every statement it was given.
class StatementDataSet : public MemoryDataSet {
  QN_PUBLISHED_CLASS(StatementDataSet, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
  StringList Sql;
  std::vector<AnsiString> Given;
};

void StatementDataSet::PublishProperties(PropertyPublisher<StatementDataSet>& publish) {
  publish.StringList(
      "SQL", [](StatementDataSet& ds) -> TStrings* { return &ds.Sql; },
      [](StatementDataSet& ds, TStrings* value) {
        if (!value) return;
        ds.Sql.Assign(*value);
        ds.Given.push_back(ds.Sql.Text());
      });
}

class FilterQueryModifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    filterdialogtest::registerEditors();
    cases.FieldDefs().Add("Name", ftString, 20);
    cases.FieldDefs().Add("Amount", ftFloat);
    cases.Sql.SetText("select * from Cases\r\norder by Name\r\n");
    cases.Open();
    source.SetDataSet(&cases);
    dialog.SetDataSource(&source);
    dialog.SetFilterMethod(fdByQueryModify);
  }

  static void search(TdcFilterDlg& form, const char* label, const char* value) {
    if (form.FieldsListBox->Items()->IndexOf(label) < 0) form.FieldTabSet->tabChosenByUser(0);
    form.SelectField(form.FieldsListBox->Items()->IndexOf(label));
    form.ValueRangeTabSet->tabChosenByUser(0);
    form.ValueControl()->SetText(value);
  }

  StatementDataSet cases{nullptr};
  TDataSource source;
  TdcFilterDialog dialog{nullptr};
};

TEST_F(FilterQueryModifyTest, OkRewritesTheStatementAndResetFilterRestoresIt) {
  ASSERT_EQ(dialog.FilterMethod(), fdByQueryModify);
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    search(form, "Name", "o'brien");
    form.OKButton->Click();
  }));
  EXPECT_EQ(cases.Sql.Text(), "select * from Cases\r\nWhere\r\n(Upper(\"Name\") like 'O''BRIEN%' escape '\\')\r\norder by Name\r\n");
  EXPECT_TRUE(cases.Active());
  // The next run starts again from the statement as written.
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    search(form, "Amount", "12.5");
    form.OKButton->Click();
  }));
  EXPECT_EQ(cases.Sql.Text(),
            "select * from Cases\r\nWhere\r\n(Upper(\"Name\") like 'O''BRIEN%' escape '\\')\r\n and\r\n(\"Amount\"=12.5)\r\n"
            "order by Name\r\n");
  dialog.ResetFilter();
  EXPECT_EQ(cases.Sql.Text(), "select * from Cases\r\norder by Name\r\n");
  EXPECT_TRUE(dialog.Criteria().empty());
}

TEST_F(FilterQueryModifyTest, AFailingOpenShowsTheStatementAndRaisesAgain) {
  cases.BeforeOpen = [](TDataSet*) { throw std::runtime_error("no such table: Cases"); };
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Unable to Execute SQL:\rselect * from Cases\rWhere\r(\"Name\"='x')\rorder by Name\r");
  EXPECT_THROW(runDialog(dialog, [](TdcFilterDlg& form) {
                 search(form, "Name", "x");
                 form.MatchTypeGroup->SetItemIndex(0);
                 form.CaseSensitive->SetChecked(true);
                 form.OKButton->Click();
               }),
               std::runtime_error);
}

TEST_F(FilterQueryModifyTest, ACriterionWithoutFieldDescriptionLeavesTheDatasetClosed) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "TdcFilterDialog: Field not found (Name)");
  EXPECT_TRUE(runDialog(dialog, [this](TdcFilterDlg& form) {
    search(form, "Name", "x");
    // The field goes from the descriptions before the statement is built.
    dialog.FieldDescriptions().erase(dialog.FieldDescriptions().begin());
    form.OKButton->Click();
  }));
  EXPECT_FALSE(cases.Active());
  EXPECT_EQ(cases.Sql.Text(), "select * from Cases\r\norder by Name\r\n");
}

}  // namespace
