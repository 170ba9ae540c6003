// The filter dialog's record test on field types the record files do not hold: dates, times,
// floating-point numbers, long texts and memos, plain and rich.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datagrid/tests/ExtendedTestDataSet.h"
#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDummyForm.h"
#include "datagrid/Intl.h"
#include "datagrid/tests/FilterCriterionCases.h"
#include "framework/base/DateTime.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using filtertest::criterion;
using filtertest::range;

using Names = std::vector<std::string>;

struct Row {
  const char* name;
  TDateTime opened;
  TDateTime stamp;
  double amount;
  std::string notes;
  std::string longText;
};

class FilterRecordTypesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    records.FieldDefs().Add("Name", ftString, 10);
    records.FieldDefs().Add("Opened", ftDate);
    records.FieldDefs().Add("Stamp", ftDateTime);
    records.FieldDefs().Add("Amount", ftFloat);
    records.FieldDefs().Add("Notes", ftMemo);
    records.FieldDefs().Add("Long", ftString, 400);
    records.Open();
    const std::string filler(300, 'a');
    const std::vector<Row> rows{
        {"first", EncodeDate(2001, 1, 15), EncodeDate(2001, 1, 15) + EncodeTime(9, 30, 0, 0), 12.5,
         "Smith called about the lease", filler + "tail"},
        {"second", EncodeDate(2001, 2, 28), EncodeDate(2001, 2, 28) + EncodeTime(17, 0, 0, 0), 100,
         "jones and smith", filler + "TAIL"},
        {"third", EncodeDate(2001, 3, 1), EncodeDate(2001, 3, 1), -3.25, "", "short"},
    };
    for (const Row& row : rows) {
      records.Append();
      records.FieldByName("Name")->SetAsString(row.name);
      records.FieldByName("Opened")->SetAsDateTime(row.opened);
      records.FieldByName("Stamp")->SetAsDateTime(row.stamp);
      records.FieldByName("Amount")->SetAsFloat(row.amount);
      if (!row.notes.empty()) records.FieldByName("Notes")->SetAsString(row.notes);
      records.FieldByName("Long")->SetAsString(row.longText);
      records.Post();
    }
    dialog = std::make_unique<TdcFilterDialog>(nullptr);
  }

  Names kept(const std::vector<TdcFieldInfo>& criteria) {
    dialog->Criteria() = criteria;
    Names names;
    for (records.First(); !records.Eof(); records.Next()) {
      bool accept = false;
      dialog->DummyForm()->FilterRecord(&records, accept);
      if (accept) names.push_back(records.FieldByName("Name")->AsString());
    }
    return names;
  }

  datagridtest::ExtendedTestDataSet records{nullptr};
  std::unique_ptr<TdcFilterDialog> dialog;
};

TEST_F(FilterRecordTypesTest, DateAndDateTimeRanges) {
  EXPECT_EQ(kept({range("Opened", "1/15/2001", "2/28/2001")}), (Names{"first", "second"}));
  EXPECT_EQ(kept({range("Opened", "2/1/2001", "")}), (Names{"second", "third"}));
  EXPECT_EQ(kept({range("Stamp", "1/15/2001 9:30:00 AM", "2/28/2001")}), (Names{"first"}));
  EXPECT_EQ(kept({range("Stamp", "2/28/2001 5:00 PM", "")}), (Names{"second", "third"}));
  EXPECT_EQ(kept({criterion("Opened", fdMatchExact, "03/01/2001 or 1/15/01")}), (Names{"first", "third"}));
}

TEST_F(FilterRecordTypesTest, FloatRangesAndExactValuesCompareByValue) {
  EXPECT_EQ(kept({range("Amount", "-5", "12.5")}), (Names{"first", "third"}));
  EXPECT_EQ(kept({range("Amount", "12.51", "")}), (Names{"second"}));
  EXPECT_EQ(kept({criterion("Amount", fdMatchExact, "12.50 or 1e2")}), (Names{"first", "second"}));
  // A bound that does not read matches nothing rather than everything.
  EXPECT_EQ(kept({range("Amount", "12x", "")}), Names{});
}

TEST_F(FilterRecordTypesTest, TextsLongerThanTheScratchBufferAreComparedWhole) {
  EXPECT_EQ(kept({criterion("Long", fdMatchAny, "tail", true)}), (Names{"first"}));
  EXPECT_EQ(kept({criterion("Long", fdMatchExact, (std::string(300, 'A') + "TAIL").c_str())}),
            (Names{"first", "second"}));
  EXPECT_EQ(kept({criterion("Long", fdMatchEnd, "AIL")}), (Names{"first", "second"}));
}

TEST_F(FilterRecordTypesTest, MemoSearches) {
  EXPECT_EQ(kept({criterion("Notes", fdMatchAny, "smith")}), (Names{"first", "second"}));
  EXPECT_EQ(kept({criterion("Notes", fdMatchAny, "Smith", true)}), (Names{"first"}));
  EXPECT_EQ(kept({criterion("Notes", fdMatchStart, "jones")}), (Names{"second"}));
  // Unquoted, "and" makes two tokens, and neither is the whole memo.
  EXPECT_EQ(kept({criterion("Notes", fdMatchExact, "jones and smith")}), Names{});
  EXPECT_EQ(kept({criterion("Notes", fdMatchExact, "\"jones and smith\"")}), (Names{"second"}));
  EXPECT_EQ(kept({criterion("Notes", fdMatchExact, "null")}), (Names{"third"}));
  // End and range criteria make no test on a memo.
  EXPECT_EQ(kept({criterion("Notes", fdMatchEnd, "zzz")}), (Names{"first", "second", "third"}));
}

TEST_F(FilterRecordTypesTest, AMemoTokenIsComparedUpToItsFirst255Characters) {
  records.First();
  records.Edit();
  records.FieldByName("Notes")->SetAsString(std::string(255, 'q') + "X");
  records.Post();
  EXPECT_EQ(kept({criterion("Notes", fdMatchStart, (std::string(255, 'q') + "Y").c_str())}), (Names{"first"}));
}

TEST_F(FilterRecordTypesTest, ARichTextMemoIsSearchedAsItsPlainText) {
  records.ControlType.SetText("Notes;RichEdit;\r\n");
  records.First();
  records.Edit();
  records.FieldByName("Notes")->SetAsString("{\\rtf1\\ansi {\\b Bold} claim}");
  records.Post();
  EXPECT_EQ(kept({criterion("Notes", fdMatchStart, "bold claim")}), (Names{"first"}));
  EXPECT_EQ(kept({criterion("Notes", fdMatchAny, "rtf")}), Names{});
}

TEST(FilterRecordMemoBufferTest, AMemoLongerThanTheBufferIsComparedUpToTheBuffersSize) {
  qn::ui::testing::qtApplication();
  const int saved = dcIntlDefaults->FilterMemoSize;
  dcIntlDefaults->FilterMemoSize = 16;
  TdcFilterDialog dialog(nullptr);
  dcIntlDefaults->FilterMemoSize = saved;
  MemoryDataSet records(nullptr);
  records.FieldDefs().Add("Notes", ftMemo);
  records.Open();
  records.Append();
  records.FieldByName("Notes")->SetAsString("0123456789abcdefXYZ");
  records.Post();
  auto accepts = [&](TdcFilterMatchType type, const char* value) {
    dialog.Criteria() = {criterion("Notes", type, value)};
    bool accept = false;
    dialog.DummyForm()->FilterRecord(&records, accept);
    return accept;
  };
  EXPECT_TRUE(accepts(fdMatchAny, "abcde"));
  EXPECT_FALSE(accepts(fdMatchAny, "XYZ"));
  EXPECT_TRUE(accepts(fdMatchExact, "0123456789abcde"));
}

}  // namespace
