// The filter dialog rewriting the statement of the library's query over an SQL database made with
// qnsqlif: the rows the rewritten statement reads, with and without regard to case, a quote that
// stays inside its literal, and a statement the database refuses.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "datagrid/DcQuery.h"
#include "datagrid/tests/FilterDialogTestSupport.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/tests/SqlLoginName.h"

using filterdialogtest::runDialog;
using qn::ui::testing::ScriptedMessageBoxes;

namespace {

using Rows = std::vector<std::string>;

class FilterQueryPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    filterdialogtest::registerEditors();
    query.SetDatabaseName(sqldrivertest::makeLoginDatabase("FILTERQUERYDB"));
    query.SQL()->Add("SELECT A, B, AMOUNT FROM LEDGER L");
    query.SQL()->Add("ORDER BY A");
    query.Open();
    source.SetDataSet(&query);
    dialog.SetDataSource(&source);
    dialog.SetFilterMethod(fdByQueryModify);
  }

  Rows rows() {
    Rows values;
    for (query.First(); !query.Eof(); query.Next()) values.push_back(query.FieldByName("A")->AsString());
    return values;
  }
  static void search(TdcFilterDlg& form, const char* label, const char* value, int matchItem,
                     bool caseSensitive = true) {
    if (form.FieldsListBox->Items()->IndexOf(label) < 0) form.FieldTabSet->tabChosenByUser(0);
    form.SelectField(form.FieldsListBox->Items()->IndexOf(label));
    form.ValueRangeTabSet->tabChosenByUser(0);
    form.MatchTypeGroup->SetItemIndex(matchItem);
    form.CaseSensitive->SetChecked(caseSensitive);
    form.ValueControl()->SetText(value);
  }

  ScriptedMessageBoxes boxes;  // a box no test expects fails it
  TdcQuery query{nullptr};
  TDataSource source;
  TdcFilterDialog dialog{nullptr};
};

TEST_F(FilterQueryPathTest, TheRewrittenStatementReadsTheMatchingRows) {
  ASSERT_EQ(dialog.FilterMethod(), fdByQueryModify);
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    search(form, "A", "t", 1);
    form.OKButton->Click();
  }));
  EXPECT_EQ(query.SQL()->Text(), "SELECT A, B, AMOUNT FROM LEDGER L\r\nWhere\r\n(L.\"A\" like 't%')\r\nORDER BY A\r\n");
  EXPECT_EQ(rows(), (Rows{"three", "two"}));
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    search(form, "B", "1 or 3", 0);
    form.OKButton->Click();
  }));
  EXPECT_EQ(rows(), (Rows{"three"}));
  dialog.ResetFilter();
  query.Open();
  EXPECT_EQ(rows(), (Rows{"one", "three", "two"}));
}

TEST_F(FilterQueryPathTest, AQuoteInTheValueStaysInsideItsLiteral) {
  EXPECT_TRUE(runDialog(dialog, [](TdcFilterDlg& form) {
    search(form, "A", "O'Brien'; drop table LEDGER; --", 2);
    form.OKButton->Click();
  }));
  EXPECT_EQ(rows(), Rows{});
  dialog.ResetFilter();
  query.Open();
  EXPECT_EQ(rows().size(), 3u);
}

TEST_F(FilterQueryPathTest, TheSearchMindsLetterCaseExactlyWhenAskedTo) {
  const struct {
    const char* value;
    int matchItem;
    bool caseSensitive;
    Rows found;
  } cases[] = {
      {"T", 1, false, {"three", "two"}}, {"O", 2, false, {"one", "two"}}, {"ONE", 0, false, {"one"}},
      {"Tw", 1, false, {"two"}},         {"T", 1, true, {}},              {"O", 2, true, {}},
      {"t", 1, true, {"three", "two"}},
  };
  for (const auto& c : cases) {
    const std::string what = std::string(c.value) + (c.caseSensitive ? " with case" : " without case");
    EXPECT_TRUE(runDialog(dialog, [&c](TdcFilterDlg& form) {
      search(form, "A", c.value, c.matchItem, c.caseSensitive);
      form.OKButton->Click();
    })) << what;
    const bool upper = query.SQL()->Text().find("Upper(L.\"A\")") != std::string::npos;
    EXPECT_EQ(upper, !c.caseSensitive) << query.SQL()->Text();
    EXPECT_EQ(rows(), c.found) << what;
    dialog.ResetFilter();
    query.Open();
  }
}

TEST_F(FilterQueryPathTest, AStatementTheDatabaseRefusesIsShownAndRaisedAgain) {
  // A stored procedure's rows cannot be narrowed by rewriting its call: the database refuses the
  // text that follows it.
  query.Close();
  query.SQL()->Clear();
  query.SQL()->Add("EXEC LEDGERROWS");
  query.Open();
  boxes.expect(mtWarning, "Unable to Execute SQL:\rEXEC LEDGERROWS\rWhere\r(\"A\" like 't%')\r");
  EXPECT_THROW(runDialog(dialog, [](TdcFilterDlg& form) {
                 search(form, "A", "t", 1);
                 form.OKButton->Click();
               }),
               EDatabaseError);
  EXPECT_FALSE(query.Active());
}

}  // namespace
