// The filter dialog's index path on the library's table over a cases file made by qnseed: which
// criterion becomes a key range, and that a range never keeps out a record the test accepts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datagrid/DcTable.h"
#include "datagrid/FieldOperators.h"
#include "datagrid/FilterIndexRange.h"
#include "datagrid/tests/FilterDialogTestSupport.h"
#include "datagrid/tests/FilterCriterionCases.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

using filterdialogtest::runDialog;

namespace {

using filtertest::criterion;
using filtertest::range;

constexpr const char* kCode = "Client Code";
constexpr const char* kAltId = "Alternate ID";
using Codes = std::vector<std::string>;

class FilterIndexRangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    filterdialogtest::registerEditors();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    std::string seed;
    int id = 0;
    for (const char* code : {"ADAMS", "ADLER", "BAKER", "adx", "CARR"})
      seed += std::string(kCode) + " = " + code + "\nCase Suffix = 1\n" + kAltId + " = ID" + std::to_string(++id) +
              "\n\n";
    const std::string data = datasettest::seedClients("filter-index", {"ADAMS"}, {}, seed);
    table = std::make_unique<TdcTable>(nullptr);
    table->SetDatabaseName(data);
    table->SetTableName("YCase.qf;RES:YCASE");
    table->SetIndexName("1");
    table->Open();
  }

  bool apply(const TdcFieldInfo& c, TdcFilterOptimization optimization = fdUseActiveIndex) {
    return ApplyFilterIndexRange(*table, {c}, operators, optimization, 'z');
  }
  Codes shown() {
    Codes codes;
    for (table->First(); !table->Eof(); table->Next()) codes.push_back(table->FieldByName(kCode)->AsString());
    return codes;
  }

  TdcFieldOperators operators;
  std::unique_ptr<TdcTable> table;
};

TEST_F(FilterIndexRangeTest, AStartMatchOnTheActiveIndexBecomesARange) {
  EXPECT_TRUE(apply(criterion(kCode, fdMatchStart, "AD", true)));
  EXPECT_EQ(shown(), (Codes{"ADAMS", "ADLER"}));
}

TEST_F(FilterIndexRangeTest, ExactValuesAndBoundsBecomeRanges) {
  EXPECT_TRUE(apply(criterion(kCode, fdMatchExact, "BAKER", true)));
  EXPECT_EQ(shown(), (Codes{"BAKER"}));
  TdcFieldInfo bounds = criterion(kCode, fdMatchRange, "", true);
  bounds.MinValue = "ADL";
  bounds.MaxValue = "B";
  table->CancelRange();
  EXPECT_TRUE(apply(bounds));
  EXPECT_EQ(shown(), (Codes{"ADLER", "BAKER"}));
}

TEST_F(FilterIndexRangeTest, CriteriaTheIndexCannotServeLeaveTheTableWhole) {
  TdcFieldInfo inverted = criterion(kCode, fdMatchStart, "AD", true);
  inverted.NonMatching = true;
  const std::vector<TdcFieldInfo> refused{
      criterion(kCode, fdMatchStart, "ad", false),          // without case on an index with case
      criterion(kCode, fdMatchStart, "AD or BA", true),     // an operator
      criterion(kCode, fdMatchAny, "AD", true),             // anywhere
      criterion(kAltId, fdMatchStart, "ID", true),          // not the active index's field
      inverted,
  };
  for (const TdcFieldInfo& c : refused) {
    EXPECT_FALSE(apply(c)) << c.FilterValue;
    EXPECT_EQ(shown().size(), 5u);
  }
  EXPECT_FALSE(apply(criterion(kCode, fdMatchStart, "AD", true), fdNone));
}

TEST_F(FilterIndexRangeTest, AllIndexesChooseAnIndexOnTheField) {
  EXPECT_TRUE(apply(criterion(kAltId, fdMatchExact, "ID3", true), fdUseAllIndexes));
  EXPECT_EQ(shown(), (Codes{"BAKER"}));
  EXPECT_NE(table->IndexName(), "1");
}

TEST_F(FilterIndexRangeTest, TheDialogNarrowsTheTableAndTheNextRunCancelsTheRange) {
  TDataSource source;
  source.SetDataSet(table.get());
  TdcFilterDialog dialog(nullptr);
  dialog.Options |= FilterOption(fdCaseSensitive);
  dialog.FilterOptimization = fdUseActiveIndex;
  dialog.SelectedFields()->SetText(std::string(kCode) + "\r\n" + kAltId + "\r\n");
  dialog.SetDataSource(&source);
  runDialog(dialog, [](TdcFilterDlg& form) {
    form.SelectField(0);
    form.ValueControl()->SetText("AD");
    form.OKButton->Click();
  });
  EXPECT_TRUE(dialog.IndexRangeApplied());
  EXPECT_EQ(shown(), (Codes{"ADAMS", "ADLER"}));
  runDialog(dialog, [](TdcFilterDlg& form) {
    form.ClearSearchButton->Click();
    form.SelectField(1);
    form.MatchTypeGroup->SetItemIndex(2);
    form.ValueControl()->SetText("D");
    form.OKButton->Click();
  });
  EXPECT_FALSE(dialog.IndexRangeApplied());
  EXPECT_EQ(shown(), (Codes{"ADAMS", "ADLER", "BAKER", "CARR", "adx"}));
}

}  // namespace
