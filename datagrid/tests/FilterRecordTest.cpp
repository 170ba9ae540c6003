// The filter dialog's record test on the application's table over a cases file made by qnseed:
// which records each criterion keeps.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDummyForm.h"
#include "datagrid/tests/FilterCasesFixture.h"
#include "datagrid/tests/FilterCriterionCases.h"

namespace {

using filtertest::criterion;
using filtertest::range;

using filtercases::kBudget;
using filtercases::kLast;
using filtercases::Names;

class FilterRecordTest : public filtercases::CasesTableTest {
 protected:
  void SetUp() override {
    CasesTableTest::SetUp();
    dialog = std::make_unique<TdcFilterDialog>(nullptr);
  }

  // The last names of the records the criteria keep, in key order.
  std::vector<std::string> kept(const std::vector<TdcFieldInfo>& criteria) {
    dialog->Criteria() = criteria;
    std::vector<std::string> names;
    for (table->First(); !table->Eof(); table->Next()) {
      bool accept = false;
      dialog->DummyForm()->FilterRecord(table.get(), accept);
      if (accept) names.push_back(table->FieldByName(kLast)->AsString());
    }
    return names;
  }

  std::unique_ptr<TdcFilterDialog> dialog;
};

TEST_F(FilterRecordTest, ValueCriteriaOnAText) {
  struct Row {
    TdcFieldInfo c;
    Names expected;
  };
  const std::vector<Row> rows{
      {criterion(kLast, fdMatchStart, "smith or jones"), {"SMITH", "Smithers", "JONES", "jonesy"}},
      {criterion(kLast, fdMatchStart, "or jones"), {}},
      {criterion(kLast, fdMatchStart, "smith"), {"SMITH", "Smithers"}},
      {criterion(kLast, fdMatchStart, "Smith", true), {"Smithers"}},
      {criterion(kLast, fdMatchExact, "smith"), {"SMITH"}},
      {criterion(kLast, fdMatchExact, "null"), {""}},
      {criterion(kLast, fdMatchStart, "null"), {"", "Nullis"}},
      {criterion(kLast, fdMatchAny, "x", false, true),
       {"SMITH", "Smithers", "JONES", "jonesy", "Brown", "", "Mzzzzzzzzz", "N", "abab", "Nullis"}},
      {criterion(kLast, fdMatchAny, "ON and ES"), {"JONES", "jonesy"}},
      {criterion(kLast, fdMatchEnd, "ab"), {}},
      {criterion(kLast, fdMatchEnd, "bab"), {"abab"}},
      {criterion(kLast, fdMatchEnd, "ers"), {"Smithers"}},
  };
  for (const Row& row : rows) EXPECT_EQ(kept({row.c}), row.expected) << row.c.FilterValue;
}

TEST_F(FilterRecordTest, RangesOnATextPadTheUpperBound) {
  EXPECT_EQ(kept({range(kLast, "", "M")}), (Names{"JONES", "jonesy", "Brown", "", "Mzzzzzzzzz", "abab", "MAX"}));
  EXPECT_EQ(kept({range(kLast, "", "M", true)}), (Names{"JONES", "Brown", "", "Mzzzzzzzzz", "MAX"}));
  EXPECT_EQ(kept({range(kLast, "m", "n")}), (Names{"Mzzzzzzzzz", "N", "MAX", "Nullis"}));
  // NonMatching changes nothing on a range.
  EXPECT_EQ(kept({range(kLast, "m", "n", false, true)}), (Names{"Mzzzzzzzzz", "N", "MAX", "Nullis"}));
}

TEST_F(FilterRecordTest, RangesOnIntegersAndDecimals) {
  EXPECT_EQ(kept({range("AutoIncrement", "2", "4")}), (Names{"Smithers", "JONES", "jonesy"}));
  EXPECT_EQ(kept({range("AutoIncrement", "11", "")}), (Names{"MAX", "Nullis"}));
  EXPECT_EQ(kept({range(kBudget, "10.5", "100")}), (Names{"SMITH", "Smithers", "jonesy", "MAX", "Nullis"}));
  EXPECT_EQ(kept({range(kBudget, "", "0")}), (Names{"JONES"}));
  EXPECT_EQ(kept({criterion(kBudget, fdMatchExact, "10.5 or 100")}), (Names{"SMITH", "jonesy"}));
}

TEST_F(FilterRecordTest, EveryCriterionMustHoldAndTheFirstFailureEndsTheTest) {
  EXPECT_EQ(kept({criterion(kLast, fdMatchStart, "s"), criterion(kLast, fdMatchAny, "ers")}), (Names{"Smithers"}));
  // The second criterion names its field by label only; it is resolved the first time it runs.
  TdcFieldInfo second = criterion("", fdMatchAny, "ers");
  second.DisplayLabel = kLast;
  dialog->Criteria() = {criterion(kLast, fdMatchStart, "zzz"), second};
  table->First();
  bool accept = true;
  dialog->DummyForm()->FilterRecord(table.get(), accept);
  EXPECT_FALSE(accept);
  EXPECT_EQ(dialog->Criteria()[1].FieldName, "");
  dialog->Criteria()[0].FilterValue = "s";
  dialog->DummyForm()->FilterRecord(table.get(), accept);
  EXPECT_EQ(dialog->Criteria()[1].FieldName, kLast);
}

TEST_F(FilterRecordTest, ACriterionOnAFieldTheTableLacksKeepsNothing) {
  EXPECT_EQ(kept({criterion("Nickname", fdMatchAny, "a")}), Names{});
  EXPECT_EQ(kept({criterion("Nickname", fdMatchAny, "a", false, true)}), Names{});
}

}  // namespace
