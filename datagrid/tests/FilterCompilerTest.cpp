// Compiling a table's filter text: the block's bytes, the tree the grammar builds, constants
// typed by the field on their left, the field warning, and texts refused before they cost
// stack or memory. Blocks are also run through the one evaluator to see which rows they keep.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "datagrid/FilterCompiler.h"
#include "framework/base/DateTime.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/Bcd.h"
#include "framework/db/DataSetFilter.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/FilterExpression.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using namespace filterexpr;
using qn::ui::testing::ScriptedMessageBoxes;

namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& to, const std::string& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }
void Word(Bytes& to, int v) { Append(to, BytesOf<uint16_t>(static_cast<uint16_t>(v))); }
void Long(Bytes& to, uint32_t v) { Append(to, BytesOf(v)); }

// One node read back from a block: class, operator and its three operand words.
struct Node {
  uint32_t cls, op;
  int a, b, c;
};
Node NodeAt(const Bytes& block, int offset) {
  int at = ReadWord(block, kNodeStartAt) + offset;
  return {ReadLong(block, at), ReadLong(block, at + 4), ReadWord(block, at + 8),
          ReadWord(block, at + 10), ReadWord(block, at + 12)};
}
std::string LiteralAt(const Bytes& block, int offset, int size) {
  int at = ReadWord(block, kLiteralStartAt) + offset;
  return std::string(block.begin() + at, block.begin() + at + size);
}
std::string NameAt(const Bytes& block, int offset) {
  return LiteralAt(block, offset, static_cast<int>(
      std::strlen(reinterpret_cast<const char*>(block.data()) + ReadWord(block, kLiteralStartAt) + offset)));
}

class FilterCompiler : public ::testing::Test {
 protected:
  void SetUp() override {
    table.FieldDefs().Add("Amount", ftCurrency);
    table.FieldDefs().Add("City", ftString, 20);
    table.FieldDefs().Add("Zip", ftInteger);
    table.FieldDefs().Add("Opened", ftDate);
    table.FieldDefs().Add("Due", ftTime);
    table.FieldDefs().Add("Stamp", ftDateTime);
    table.FieldDefs().Add("Active", ftBoolean);
    table.FieldDefs().Add("Count", ftSmallint);
    table.FieldDefs().Add("Hits", ftWord);
    table.FieldDefs().Add("Rate", ftBCD, 2);
    table.FieldDefs().Add("Last Name", ftString, 20);
    table.FieldDefs().Add("Serial", ftAutoInc);
    table.Open();
    struct Row { double amount; const char* city; int zip; };
    const Row rows[] = {{50, "Paris", 3}, {150, "Rome", 7}, {250, "Paris", 9},
                        {100, "Oslo", 1}, {120, "Paris", 2}, {80, "Rome", 2}};
    for (const Row& r : rows) {
      table.Append();
      table.FieldByName("Amount")->SetAsFloat(r.amount);
      table.FieldByName("City")->SetAsString(r.city);
      table.FieldByName("Zip")->SetAsInteger(r.zip);
      table.Post();
    }
  }

  // Zips of the rows the block keeps, in table order.
  std::vector<int> Kept(const Bytes& block) {
    std::vector<int> zips;
    DataSetFilterRecord record(table);
    for (table.First(); !table.Eof(); table.Next())
      if (EvaluateFilter(block, record)) zips.push_back(table.FieldByName("Zip")->AsInteger());
    return zips;
  }
  template <typename Keep>
  std::vector<int> Selected(Keep keep) {
    std::vector<int> zips;
    for (table.First(); !table.Eof(); table.Next()) {
      double amount = table.FieldByName("Amount")->AsFloat();
      AnsiString city = table.FieldByName("City")->AsString();
      int zip = table.FieldByName("Zip")->AsInteger();
      if (keep(amount, city, zip)) zips.push_back(zip);
    }
    return zips;
  }

  MemoryDataSet table{nullptr};
};

TEST_F(FilterCompiler, AComparisonIsThreeNodesRootFirstByteForByte) {
  Bytes expected;
  for (int w : {1, 10 + 3 * 14 + 7 + 8, 3, 10, 10 + 3 * 14}) Word(expected, w);
  // Slot 0, the root: ">" over the field (slot 2) and the constant (slot 1).
  Long(expected, nodeBinary); Long(expected, opGreater); Word(expected, 28); Word(expected, 14); Word(expected, 0);
  Long(expected, nodeConstant); Long(expected, opConstant); Word(expected, ltFloat); Word(expected, 8); Word(expected, 7);
  Long(expected, nodeField); Long(expected, opField); Word(expected, 1); Word(expected, 0); Word(expected, 0);
  Append(expected, std::string("Amount", 7));
  Append(expected, BytesOf(100.0));

  EXPECT_EQ(CompileFilterExpression("Amount > 100", table), expected);
  EXPECT_EQ(Kept(expected), Selected([](double a, auto, int) { return a > 100; }));
}

TEST_F(FilterCompiler, AndAndOrShareOnePrecedenceAndParenthesesGroup) {
  Bytes grouped = CompileFilterExpression("Zip = 2 OR (Zip > 5 AND City = \"Rome\")", table);
  Bytes flat = CompileFilterExpression("Zip = 2 OR Zip > 5 AND City = \"Rome\"", table);
  ASSERT_FALSE(grouped.empty());
  ASSERT_FALSE(flat.empty());

  Node root = NodeAt(grouped, 0);
  EXPECT_EQ(root.op, opOr);
  EXPECT_EQ(NodeAt(grouped, root.a).op, opEqual);
  EXPECT_EQ(NodeAt(grouped, root.b).op, opAnd);
  root = NodeAt(flat, 0);
  EXPECT_EQ(root.op, opAnd);
  EXPECT_EQ(NodeAt(flat, root.a).op, opOr);
  EXPECT_EQ(NodeAt(flat, root.b).op, opEqual);

  EXPECT_EQ(Kept(grouped),
            Selected([](double, const AnsiString& c, int z) { return z == 2 || (z > 5 && c == "Rome"); }));
  EXPECT_EQ(Kept(flat),
            Selected([](double, const AnsiString& c, int z) { return (z == 2 || z > 5) && c == "Rome"; }));
  EXPECT_NE(Kept(grouped), Kept(flat));
}

TEST_F(FilterCompiler, AStarIsAnOperatorOnlyAloneAndArithmeticKeepsNoRecord) {
  Bytes product = CompileFilterExpression("(Amount) * (2) > 5", table);
  ASSERT_FALSE(product.empty());
  Node root = NodeAt(product, 0);
  EXPECT_EQ(root.op, opGreater);
  EXPECT_EQ(NodeAt(product, root.a).op, 18u);
  EXPECT_TRUE(Kept(product).empty());

  // Unparenthesised, "Amount * 2" is one name the table lacks.
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Amount * 2\rField not found in Table. ");
  EXPECT_TRUE(CompileFilterExpression("Amount * 2 > 5", table).empty());
}

TEST_F(FilterCompiler, AnUnquotedConstantRunsOnOverBlanks) {
  Bytes runOn = CompileFilterExpression("City = Paris AND Zip > 5", table);
  ASSERT_FALSE(runOn.empty());
  EXPECT_EQ(ReadWord(runOn, kNodeCountAt), 3);
  Node constant = NodeAt(runOn, NodeAt(runOn, 0).b);
  EXPECT_EQ(constant.a, ltText);
  EXPECT_EQ(LiteralAt(runOn, constant.c, constant.b), std::string("Paris AND Zip", 14));

  Bytes joined = CompileFilterExpression("City = \"Paris\" AND Zip > 5", table);
  ASSERT_FALSE(joined.empty());
  EXPECT_EQ(ReadWord(joined, kNodeCountAt), 7);
  Node root = NodeAt(joined, 0);
  EXPECT_EQ(root.op, opAnd);
  Node paris = NodeAt(joined, NodeAt(joined, root.a).b);
  EXPECT_EQ(LiteralAt(joined, paris.c, paris.b), std::string("Paris", 6));
  EXPECT_EQ(Kept(joined), Selected([](double, const AnsiString& c, int z) { return c == "Paris" && z > 5; }));
}

TEST_F(FilterCompiler, NamesHoldBlanksAndFieldsAreNumberedInOrder) {
  Bytes block = CompileFilterExpression("Last Name = \"Smith\" OR City = \"Rome\"", table);
  ASSERT_FALSE(block.empty());
  Node root = NodeAt(block, 0);
  Node first = NodeAt(block, NodeAt(block, root.a).a);
  Node second = NodeAt(block, NodeAt(block, root.b).a);
  EXPECT_EQ(first.cls, nodeField);
  EXPECT_EQ(first.a, 1);
  EXPECT_EQ(NameAt(block, first.b), "Last Name");
  EXPECT_EQ(second.a, 2);
  EXPECT_EQ(NameAt(block, second.b), "City");
}

TEST_F(FilterCompiler, ANumberOnTheLeftIsAFieldTheTableLacks) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "100\rField not found in Table. ");
  EXPECT_TRUE(CompileFilterExpression("100 < Amount", table).empty());
}

TEST_F(FilterCompiler, FieldNamesAreMatchedWithoutCase) {
  EXPECT_EQ(CompileFilterExpression("amount > 100", table).size(),
            CompileFilterExpression("Amount > 100", table).size());
}

struct ConstantCase {
  const char* text;
  uint16_t type;
  std::string bytes;
};

void PrintTo(const ConstantCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class FilterConstants : public FilterCompiler, public ::testing::WithParamInterface<ConstantCase> {};

TEST_P(FilterConstants, AreTypedByTheFieldOnTheLeft) {
  const ConstantCase& c = GetParam();
  Bytes block = CompileFilterExpression(c.text, table);
  ASSERT_FALSE(block.empty()) << c.text;
  Node constant = NodeAt(block, NodeAt(block, 0).b);
  EXPECT_EQ(constant.cls, nodeConstant) << c.text;
  EXPECT_EQ(constant.a, c.type) << c.text;
  EXPECT_EQ(LiteralAt(block, constant.c, constant.b), c.bytes) << c.text;
}

std::string Bcd(double v, int places) {
  BcdValue bcd = DoubleToBcd(v, 32, places);
  return std::string(reinterpret_cast<const char*>(&bcd), sizeof bcd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterConstants,
    ::testing::Values(
        ConstantCase{"City = Paris   ", ltText, std::string("Paris", 6)},
        ConstantCase{"City = \" Paris \"", ltText, std::string(" Paris ", 8)},
        ConstantCase{"Amount >= 12.5", ltFloat, BytesOf(12.5)},
        ConstantCase{"Zip = 75001", ltLongInt, BytesOf<int32_t>(75001)},
        ConstantCase{"Count = -5", ltInteger, BytesOf<int16_t>(-5)},
        ConstantCase{"Hits = 7", ltInteger, BytesOf<int16_t>(7)},
        ConstantCase{"Active = True", ltBoolean, BytesOf<int16_t>(-1)},
        ConstantCase{"Active = \"true\"", ltBoolean, BytesOf<int16_t>(-1)},
        ConstantCase{"Active = False", ltBoolean, BytesOf<int16_t>(0)},
        ConstantCase{"Opened = \"3/15/2026\"", ltDate, BytesOf<int32_t>(739690)},
        ConstantCase{"Due = \"13:30\"", ltTime, BytesOf<int32_t>(13 * 3600000 + 30 * 60000)},
        ConstantCase{"Stamp < \"3/15/2026 13:30\"", ltTimeStamp,
                     BytesOf((739690.0 * 86400 + 13 * 3600 + 30 * 60) * 1000)},
        ConstantCase{"Stamp < \"3/15/2026\"", ltTimeStamp, BytesOf(739690.0 * 86400 * 1000)},
        ConstantCase{"Rate = 12.5", ltBCD, Bcd(12.5, 2)}));

TEST_F(FilterCompiler, ABcdConstantCarriesTheFieldsScale) {
  Bytes block = CompileFilterExpression("Rate = 12.5", table);
  ASSERT_FALSE(block.empty());
  Node constant = NodeAt(block, NodeAt(block, 0).b);
  ASSERT_EQ(constant.b, 34);
  std::string bcd = LiteralAt(block, constant.c, constant.b);
  EXPECT_EQ(static_cast<uint8_t>(bcd[0]), 32);
  EXPECT_EQ(static_cast<uint8_t>(bcd[1]) & 0x3F, 2);
}

TEST_F(FilterCompiler, ATermOnTheRightOfAFieldWithoutAConstantTypeStaysAName) {
  Bytes block = CompileFilterExpression("Serial = 5", table);
  ASSERT_FALSE(block.empty());
  Node right = NodeAt(block, NodeAt(block, 0).b);
  EXPECT_EQ(right.cls, nodeField);
  EXPECT_EQ(NameAt(block, right.b), "5");
}

TEST_F(FilterCompiler, SyntaxErrorsGiveNoBlockAndNoMessage) {
  ScriptedMessageBoxes boxes;  // any box fails the test
  for (const char* text : {"", "Amount >", "(Amount > 1", "> 5", "Amount => 5", "Zip = \"5",
                           "Amount > 1 AND", "(Amount) + > 1", "Count = 40000",
                           "Opened = \"someday\"", "Amount = abc"})
    EXPECT_TRUE(CompileFilterExpression(text, table).empty()) << text;
}

TEST_F(FilterCompiler, TextAfterTheFirstCompleteExpressionIsIgnored) {
  for (const char* text : {"Amount > 100 ) Zip", "Amount > 100x", "Amount > 100 Zip = 1"})
    EXPECT_EQ(CompileFilterExpression(text, table), CompileFilterExpression("Amount > 100", table))
        << text;
}

// City = "x…" or-ed together, each literal's length chosen so the pool takes total bytes.
AnsiString PoolFilling(int total) {
  AnsiString text;
  while (total > 0) {
    int inner = std::min(total - 6, 50);  // "City\0", the text and its NUL
    if (!text.empty()) text += " OR ";
    text += "City = \"" + std::string(inner, 'x') + "\"";
    total -= 6 + inner;
  }
  return text;
}

TEST_F(FilterCompiler, LiteralsBeyondThePoolAreRefused) {
  Bytes full = CompileFilterExpression(PoolFilling(kFilterLiteralPool), table);
  ASSERT_FALSE(full.empty());
  EXPECT_EQ(ReadWord(full, kTotalSizeAt) - ReadWord(full, kLiteralStartAt), kFilterLiteralPool);

  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Filter expression: too long");
  EXPECT_TRUE(CompileFilterExpression(PoolFilling(kFilterLiteralPool + 1), table).empty());
}

TEST_F(FilterCompiler, NestingBeyondTheLimitIsRefusedWhereItStarts) {
  auto nested = [](int depth) {
    return std::string(depth, '(') + "Amount > 1" + std::string(depth, ')');
  };
  EXPECT_FALSE(CompileFilterExpression(nested(kMaxFilterNesting), table).empty());

  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Filter expression: nesting too deep at position 257");
  EXPECT_TRUE(CompileFilterExpression(nested(kMaxFilterNesting + 1), table).empty());
  // Far deeper still: refused the same way, not by running out of stack.
  boxes.expect(mtWarning, "Filter expression: nesting too deep at position 257");
  EXPECT_TRUE(CompileFilterExpression(nested(200000), table).empty());
}

TEST_F(FilterCompiler, AChainOfMoreNodesThanTheLimitIsRefused) {
  // "(Zip) OR (Zip) OR ...": every term after the first takes Zip's integer type, which "Zip"
  // does not read as, so a chain within the limit fails quietly and only one beyond it is
  // refused.
  auto chain = [](int nodes) {
    AnsiString text = "(Zip)";
    for (int n = 1; n < nodes; n += 2) text += " OR (Zip)";
    return text;
  };
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(CompileFilterExpression(chain(kMaxFilterNodes), table).empty());
  boxes.expect(mtWarning, "Filter expression: too long");
  EXPECT_TRUE(CompileFilterExpression(chain(kMaxFilterNodes + 1), table).empty());
}

}  // namespace
