// Filter texts: the expression blocks they become and the records they keep.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/base/DateTime.h"
#include "framework/db/DataSetFilter.h"
#include "framework/db/FilterExpression.h"
#include "framework/db/FilterParser.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;
using namespace filterexpr;

namespace {

// Calendar items: CODE, "Case Status 1", Unassigned (text), AMOUNT, DUE (date).
class Filters : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("CODE", ftInteger);
    ds.FieldDefs().Add("Case Status 1", ftString, 1);
    ds.FieldDefs().Add("Unassigned", ftString, 4);
    ds.FieldDefs().Add("AMOUNT", ftFloat);
    ds.FieldDefs().Add("DUE", ftDate);
    ds.FieldDefs().Add("NAME", ftString, 10);
    ds.Open();
    const std::tuple<int, const char*, const char*, double, int, const char*> rows[] = {
        {1, "X", "7", 50, 1, "Smith"},  {2, "A", "9", 150, 2, "smithers"},
        {3, "B", "", 100, 3, "Jones"},  {4, "X", "10", 200, 4, "O'Hara"},
        {5, "", "8", 0, 5, "jones"}};
    for (auto [code, status, unassigned, amount, day, name] : rows) {
      ds.Append();
      ds.FieldByName("CODE")->SetAsInteger(code);
      ds.FieldByName("Case Status 1")->SetAsString(status);
      ds.FieldByName("Unassigned")->SetAsString(unassigned);
      ds.FieldByName("AMOUNT")->SetAsFloat(amount);
      ds.FieldByName("DUE")->SetAsDateTime(EncodeDate(2024, 1, day));
      ds.FieldByName("NAME")->SetAsString(name);
      ds.Post();
    }
  }
  std::vector<int> Kept() {
    std::vector<int> codes;
    for (ds.First(); !ds.Eof(); ds.Next()) codes.push_back(ds.FieldByName("CODE")->AsInteger());
    return codes;
  }

  MemoryDataSet ds{nullptr};
};

struct FilterCase {
  const char* text;
  TFilterOptions options;
  int nodes;        // of the expression block
  uint32_t rootOp;  // the operator of its root node
  std::vector<int> kept;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.text; }

class FilterTexts : public Filters, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTexts, KeepTheRecordsTheySay) {
  std::vector<uint8_t> block =
      ParseFilter(GetParam().text, GetParam().options, FilterFieldsOf(ds));
  EXPECT_EQ(ReadWord(block, kNodeCountAt), GetParam().nodes);
  EXPECT_EQ(ReadLong(block, kHeaderSize + 4), GetParam().rootOp);
  EXPECT_EQ(ReadWord(block, kTotalSizeAt), block.size());
  ds.SetFilterOptions(GetParam().options);
  ds.SetFilter(GetParam().text);
  ds.SetFiltered(true);
  EXPECT_EQ(Kept(), GetParam().kept);
  EXPECT_EQ(ds.RecordCount(), static_cast<int>(GetParam().kept.size()));
}

const FilterCase kFilterCases[] = {
    {"[Case Status 1] <> 'X'", 0, 3, opNotEqual, {2, 3, 5}},
    {"[Case Status 1] = 'X'", 0, 3, opEqual, {1, 4}},
    {"[Unassigned] < '8'", 0, 3, opLess, {1, 3, 4}},  // text order: "" < "10" < "7" < "8"
    {"CODE > 2", 0, 3, opGreater, {3, 4, 5}},
    // a number the field's type cannot hold is compared as text, never cut to fit
    {"CODE = 4294967297", 0, 3, opEqual, {}},
    {"CODE >= 2 and CODE <= 3", 0, 7, opAnd, {2, 3}},
    {"CODE < 2 or CODE > 4", 0, 7, opOr, {1, 5}},
    {"AMOUNT >= 100", 0, 3, opGreaterEqual, {2, 3, 4}},
    {"DUE > '1/3/2024'", 0, 3, opGreater, {4, 5}},
    {"not (CODE = 1)", 0, 4, opNot, {2, 3, 4, 5}},
    {"NOT CODE = 1 AND CODE < 4", 0, 8, opAnd, {2, 3}},
    // and binds tighter than or; parentheses change it
    {"CODE = 1 or CODE = 2 and AMOUNT > 100", 0, 11, opOr, {1, 2}},
    {"(CODE = 1 or CODE = 2) and AMOUNT > 100", 0, 11, opAnd, {2}},
    {"NAME = 'jones'", 0, 3, opEqual, {5}},
    {"NAME = 'jones'", foCaseInsensitive, 3, opEqual, {3, 5}},
    {"NAME = 'Smith*'", 0, 3, opEqual, {1}},
    {"NAME = 'smith*'", foCaseInsensitive, 3, opEqual, {1, 2}},
    {"NAME = 'Smith*'", foNoPartialCompare, 3, opEqual, {}},
    {"NAME = 'O''Hara'", 0, 3, opEqual, {4}},
    {"[Unassigned] is null", 0, 2, opIsBlank, {3}},
    {"[Unassigned] IS NOT NULL and CODE <> 4", 0, 6, opAnd, {1, 2, 5}},
    // a double-quoted name that names no field is compared as its text
    {"NAME = \"Jones\"", 0, 3, opEqual, {3}},
    {"\"X\" = [Case Status 1]", 0, 3, opEqual, {1, 4}},
};

INSTANTIATE_TEST_SUITE_P(Table, FilterTexts, ::testing::ValuesIn(kFilterCases));

TEST_F(Filters, UnknownFieldAndBadSyntaxAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Case Status 2] = 'X'", "Filter expression: field 'Case Status 2' not found"},
      {"CODE = ", "Filter expression: field or value expected at position 8"},
      {"CODE 1", "Filter expression: comparison expected at position 6"},
      {"(CODE = 1", "Filter expression: ')' expected at position 10"},
      {"NAME = 'open", "Filter expression: closing quote missing at position 8"},
      {"CODE = 1 CODE", "Filter expression: end of expression expected at position 10"},
  };
  for (auto [text, message] : cases) {
    try {
      ds.SetFilter(text);
      ADD_FAILURE() << text << " accepted";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), message) << text;
    }
    EXPECT_EQ(ds.Filter(), "") << "a refused text is not kept";
  }
}

AnsiString Repeated(const AnsiString& text, int times) {
  AnsiString out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST_F(Filters, NestingUpToTheLimitIsAccepted) {
  const int n = kMaxNesting;
  for (const AnsiString& text :
       {Repeated("(", n) + "CODE = 1" + Repeated(")", n), Repeated("not not ", n / 2) + "CODE = 1",
        Repeated("not (not (", n / 4) + "CODE = 1" + Repeated("))", n / 4)}) {
    ds.SetFilter(text);
    ds.SetFiltered(true);
    EXPECT_EQ(Kept(), std::vector<int>{1}) << text;
  }
}

TEST_F(Filters, DeeperNestingAndEndlessChainsAreRefused) {
  const int n = kMaxNesting;
  auto tooDeep = [](int position) {
    return "Filter expression: nesting too deep at position " + std::to_string(position);
  };
  const std::pair<AnsiString, AnsiString> cases[] = {
      {Repeated("(", n + 1) + "CODE = 1" + Repeated(")", n + 1), tooDeep(n + 1)},
      {Repeated("(", 100000), tooDeep(n + 1)},
      {Repeated("not ", 100000) + "CODE = 1", tooDeep(4 * n + 1)},
      {Repeated("not (", 100000), tooDeep(5 * (n / 2) + 1)},
      {Repeated("CODE = 1 or ", 100000) + "CODE = 1", "Filter expression: too long"},
      {Repeated("not CODE = 1 and ", 100000) + "CODE = 1", "Filter expression: too long"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ParseFilter(text, 0, FilterFieldsOf(ds));
      ADD_FAILURE() << text.substr(0, 40) << " accepted";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), message) << text.substr(0, 40);
    }
  }
}

TEST_F(Filters, TheBlockOfOneComparison) {
  std::vector<uint8_t> b = ParseFilter("CODE > 100", 0, FilterFieldsOf(ds));
  // Header.
  EXPECT_EQ(ReadWord(b, kVersionAt), 1);
  EXPECT_EQ(ReadWord(b, kTotalSizeAt), b.size());
  EXPECT_EQ(ReadWord(b, kNodeCountAt), 3);
  EXPECT_EQ(ReadWord(b, kNodeStartAt), 10);
  int literals = ReadWord(b, kLiteralStartAt);
  EXPECT_EQ(literals, 10 + 16 + 12 + 14);
  // Root: a compare node over a field node and a constant of the field's type.
  EXPECT_EQ(ReadLong(b, 10), nodeCompare);
  EXPECT_EQ(ReadLong(b, 14), opGreater);
  EXPECT_EQ(ReadWord(b, 18), 0);  // case-sensitive
  EXPECT_EQ(ReadWord(b, 20), 0);  // whole values
  int field = 10 + ReadWord(b, 22), constant = 10 + ReadWord(b, 24);
  EXPECT_EQ(ReadLong(b, field), nodeField);
  EXPECT_EQ(ReadLong(b, field + 4), opField);
  EXPECT_EQ(ReadWord(b, field + 8), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(b.data()) + literals + ReadWord(b, field + 10),
               "CODE");
  EXPECT_EQ(ReadLong(b, constant), nodeConstant);
  EXPECT_EQ(ReadWord(b, constant + 8), ltLongInt);
  EXPECT_EQ(ReadWord(b, constant + 10), 4);
  int32_t value;
  std::memcpy(&value, b.data() + literals + ReadWord(b, constant + 12), 4);
  EXPECT_EQ(value, 100);
}

TEST_F(Filters, TheBlockOfLogicalOperatorsAndOptions) {
  std::vector<uint8_t> b =
      ParseFilter("not NAME = 'ab*' or CODE = 1", foCaseInsensitive, FilterFieldsOf(ds));
  EXPECT_EQ(ReadWord(b, kNodeCountAt), 8);
  EXPECT_EQ(ReadLong(b, 10), nodeBinary);
  EXPECT_EQ(ReadLong(b, 14), opOr);
  int notNode = 10 + ReadWord(b, 18);
  EXPECT_EQ(ReadLong(b, notNode), nodeUnary);
  EXPECT_EQ(ReadLong(b, notNode + 4), opNot);
  int compare = 10 + ReadWord(b, notNode + 8);
  EXPECT_EQ(ReadLong(b, compare), nodeCompare);
  EXPECT_EQ(ReadWord(b, compare + 8), 1);  // case-insensitive
  EXPECT_EQ(ReadWord(b, compare + 10), 2);  // partial: "ab"
  int constant = 10 + ReadWord(b, compare + 14);
  EXPECT_EQ(ReadWord(b, constant + 8), ltText);
  EXPECT_EQ(ReadWord(b, constant + 10), 3);  // "ab" and its NUL
}

TEST_F(Filters, ARecordEventFiltersToo) {
  ds.SetOnFilterRecord([](TDataSet* d, bool& accept) {
    accept = d->FieldByName("AMOUNT")->AsFloat() > 60;
  });
  ds.SetFilter("CODE < 4");
  ds.SetFiltered(true);
  EXPECT_EQ(Kept(), (std::vector<int>{2, 3}));
  ds.SetFiltered(false);
  EXPECT_EQ(Kept(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(Filters, FindFirstAndNextHonourTheFilterWhileNotFiltered) {
  ds.SetFilter("[Case Status 1] = 'X'");
  EXPECT_TRUE(ds.FindFirst());
  EXPECT_EQ(ds.FieldByName("CODE")->AsInteger(), 1);
  EXPECT_TRUE(ds.FindNext());
  EXPECT_EQ(ds.FieldByName("CODE")->AsInteger(), 4);
  EXPECT_FALSE(ds.FindNext());
  EXPECT_FALSE(ds.Found());
  EXPECT_EQ(ds.FieldByName("CODE")->AsInteger(), 4);
  EXPECT_TRUE(ds.FindPrior());
  EXPECT_EQ(ds.FieldByName("CODE")->AsInteger(), 1);
  EXPECT_TRUE(ds.FindLast());
  EXPECT_EQ(ds.FieldByName("CODE")->AsInteger(), 4);
  EXPECT_EQ(ds.RecordCount(), 5);
}

TEST_F(Filters, AnEvaluationThatFailsRejectsTheRecord) {
  std::vector<uint8_t> b = ParseFilter("CODE = 1", 0, FilterFieldsOf(ds));
  struct Broken : FilterRecord {
    std::optional<TypedValue> FieldValue(const AnsiString&) override { throw 1; }
  } broken;
  EXPECT_FALSE(EvaluateFilter(b, broken));
  EXPECT_FALSE(EvaluateFilter({}, broken));
}

}  // namespace
