// The filter dialog rewriting the statement of the library's query over an SQL database made with
// qnsqlif: the rows the rewritten statement reads, with and without regard to case, a quote that
// stays inside its literal, LIKE's wildcards typed as text, and a statement the database refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// Words holding LIKE's wildcards, its usual escape character and both quotes, beside the words
// those would match as wildcards.
const Rows kWords = {"10%",    "100",  "10%off", "a_b", "axb", "A_B", "\\", "\\x", "x\\",
                     "O'Brien", "OBrien", "x\"y",  "xy",  "x y", "a%b", "ab"};

nlohmann::json descriptionWithWords() {
  nlohmann::json description = sqldrivertest::testDescription();
  nlohmann::json rows = nlohmann::json::array();
  for (const std::string& word : kWords) rows.push_back({word});
  description["tables"].push_back(
      {{"name", "WORDS"}, {"columns", {{{"name", "W"}, {"type", "string"}, {"size", 12}}}}, {"rows", rows}});
  return description;
}

class FilterQueryPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    filterdialogtest::registerEditors();
    query.SetDatabaseName(sqldrivertest::makeLoginDatabase("FILTERQUERYDB", descriptionWithWords()));
    query.SQL()->Add("SELECT A, B, AMOUNT FROM LEDGER L");
    query.SQL()->Add("ORDER BY A");
    query.Open();
    source.SetDataSet(&query);
    dialog.SetDataSource(&source);
    dialog.SetFilterMethod(fdByQueryModify);
  }

  Rows rows(const char* field = "A") {
    Rows values;
    for (query.First(); !query.Eof(); query.Next()) values.push_back(query.FieldByName(field)->AsString());
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
  EXPECT_EQ(query.SQL()->Text(), "SELECT A, B, AMOUNT FROM LEDGER L\r\nWhere\r\n(L.\"A\" like 't%' escape '\\')\r\nORDER BY A\r\n");
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

TEST_F(FilterQueryPathTest, WildcardsEscapeCharactersAndQuotesInAValueMatchOnlyThemselves) {
  query.Close();
  query.SQL()->Clear();
  query.SQL()->Add("SELECT W FROM WORDS");
  query.SQL()->Add("ORDER BY W");
  query.Open();
  const auto upper = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
  };
  const char* const values[] = {"10%", "a_b", "\\", "O'Brien", "x\"y", "%", "_"};
  for (const char* value : values) {
    for (const int matchItem : {1, 2}) {
      for (const bool caseSensitive : {true, false}) {
        const std::string what = std::string(value) + (matchItem == 1 ? " at the start" : " anywhere") +
                                 (caseSensitive ? " with case" : " without case");
        Rows expected;
        for (const std::string& word : kWords) {
          const std::string in = caseSensitive ? word : upper(word);
          const std::string sought = caseSensitive ? value : upper(value);
          const size_t at = in.find(sought);
          if (matchItem == 1 ? at == 0 : at != std::string::npos) expected.push_back(word);
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_TRUE(runDialog(dialog, [&](TdcFilterDlg& form) {
          search(form, "W", value, matchItem, caseSensitive);
          form.OKButton->Click();
        })) << what;
        Rows found = rows("W");
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected) << what << "\n" << query.SQL()->Text();
        dialog.ResetFilter();
        query.Open();
      }
    }
  }
}

TEST_F(FilterQueryPathTest, AStatementTheDatabaseRefusesIsShownAndRaisedAgain) {
  // A stored procedure's rows cannot be narrowed by rewriting its call: the database refuses the
  // text that follows it.
  query.Close();
  query.SQL()->Clear();
  query.SQL()->Add("EXEC LEDGERROWS");
  query.Open();
  boxes.expect(mtWarning, "Unable to Execute SQL:\rEXEC LEDGERROWS\rWhere\r(\"A\" like 't%' escape '\\')\r");
  EXPECT_THROW(runDialog(dialog, [](TdcFilterDlg& form) {
                 search(form, "A", "t", 1);
                 form.OKButton->Click();
               }),
               EDatabaseError);
  EXPECT_FALSE(query.Active());
}

}  // namespace
