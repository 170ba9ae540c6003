// Compiling filter texts against the framework's table on a cases file made by qnseed: the
// block's bytes, the grammar's precedence, names and constants typed by the record file's own
// fields, the field warning and the limits; the blocks run on the table's cursor keep what a
// plain loop over the same matters keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "datagrid/CursorFilters.h"
#include "datagrid/FilterCompiler.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/FilterExpression.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using namespace filterexpr;
using qn::ui::testing::ScriptedMessageBoxes;

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kBudget = "Fee Budget $";  // a packed decimal with two places
constexpr const char* kThreshold = "Threshhold";  // a packed decimal without places
constexpr const char* kStatus = "Case Status 1";

struct Matter {
  std::string client;
  std::string budgetText;
  int threshold;
  std::string status;
  double budget() const { return std::stod(budgetText); }
};

const std::vector<Matter> kMatters = {
    {"ADAMS", "50.00", 3, "A"}, {"BRIGHT", "150.50", 7, "X"}, {"CLARK", "250.00", 9, "A"}, {"DUNN", "100.00", 1, "X"},
    {"EVANS", "120.00", 2, "A"}, {"MOORE", "80.00", 2, "X"},  {"NOLAN", "99.99", 6, "X"}};

void Append(Bytes& to, const std::string& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }
void Word(Bytes& to, int v) { Append(to, BytesOf<uint16_t>(static_cast<uint16_t>(v))); }
void Long(Bytes& to, uint32_t v) { Append(to, BytesOf(v)); }

// One node read back from a block: class, operator and its three operand words.
struct Node {
  uint32_t cls, op;
  int a, b, c;
};
Node NodeAt(const Bytes& block, int offset) {
  const int at = ReadWord(block, kNodeStartAt) + offset;
  return {ReadLong(block, at), ReadLong(block, at + 4), ReadWord(block, at + 8), ReadWord(block, at + 10),
          ReadWord(block, at + 12)};
}
std::string LiteralAt(const Bytes& block, int offset, int size) {
  const int at = ReadWord(block, kLiteralStartAt) + offset;
  return std::string(block.begin() + at, block.begin() + at + size);
}
std::string NameAt(const Bytes& block, int offset) {
  const char* pool = reinterpret_cast<const char*>(block.data()) + ReadWord(block, kLiteralStartAt);
  return std::string(pool + offset);
}

class FilterOnRecordFileTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    std::string seed;
    int suffix = 0;
    for (const Matter& m : kMatters)
      seed += "Client Code = " + m.client + "\nCase Suffix = " + std::to_string(++suffix) + "\n" + kBudget + " = " +
              m.budgetText + "\n" + kThreshold + " = " + std::to_string(m.threshold) + "\n" + kStatus +
              " = " + m.status + "\n\n";
    openSeeded("YCase.qf", "YCase.qf;RES:YCASE", seed, "1");
  }

  // The clients of the matters the cursor keeps under the block's text.
  std::vector<std::string> kept(const AnsiString& text) {
    TFilterListItem* handle = nullptr;
    EXPECT_TRUE(ApplyFilterExpression(text, table.get(), handle, false)) << text;
    std::vector<std::string> clients;
    for (table->First(); !table->Eof(); table->Next()) clients.push_back(table->FieldByName("Client Code")->AsString());
    DropFilter(table.get(), handle);
    return clients;
  }
  static std::vector<std::string> where(const std::function<bool(const Matter&)>& keep) {
    std::vector<std::string> clients;
    for (const Matter& m : kMatters)
      if (keep(m)) clients.push_back(m.client);
    return clients;
  }
  Bytes compile(const AnsiString& text) { return CompileFilterExpression(text, *table); }
};

TEST_F(FilterOnRecordFileTest, AComparisonIsThreeNodesRootFirstByteForByte) {
  const int name = static_cast<int>(std::strlen(kBudget)) + 1;
  Bytes expected;
  for (int w : {1, 10 + 3 * 14 + name + 8, 3, 10, 10 + 3 * 14}) Word(expected, w);
  // Slot 0, the root: ">" over the field (slot 2) and the constant (slot 1).
  Long(expected, nodeBinary); Long(expected, opGreater); Word(expected, 28); Word(expected, 14); Word(expected, 0);
  Long(expected, nodeConstant); Long(expected, opConstant); Word(expected, ltFloat); Word(expected, 8); Word(expected, name);
  Long(expected, nodeField); Long(expected, opField); Word(expected, 1); Word(expected, 0); Word(expected, 0);
  Append(expected, std::string(kBudget, static_cast<size_t>(name)));
  Append(expected, BytesOf(100.0));

  EXPECT_EQ(compile("Fee Budget $ > 100"), expected);
  EXPECT_EQ(kept("Fee Budget $ > 100"), where([](const Matter& m) { return m.budget() > 100; }));
}

TEST_F(FilterOnRecordFileTest, AndAndOrShareOnePrecedenceAndParenthesesGroup) {
  struct Case {
    const char* text;
    uint32_t root, left, right;
    std::function<bool(const Matter&)> keep;
  };
  const Case cases[] = {
      {"Threshhold = 2 OR (Threshhold > 5 AND Case Status 1 = \"X\")", opOr, opEqual, opAnd,
       [](const Matter& m) { return m.threshold == 2 || (m.threshold > 5 && m.status == "X"); }},
      {"Threshhold = 2 OR Threshhold > 5 AND Case Status 1 = \"X\"", opAnd, opOr, opEqual,
       [](const Matter& m) { return (m.threshold == 2 || m.threshold > 5) && m.status == "X"; }},
      {"(Case Status 1 = \"A\") AND (Fee Budget $ >= 100 OR Threshhold < 3)", opAnd, opEqual, opOr,
       [](const Matter& m) { return m.status == "A" && (m.budget() >= 100 || m.threshold < 3); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Bytes block = compile(c.text);
    ASSERT_FALSE(block.empty());
    const Node root = NodeAt(block, 0);
    EXPECT_EQ(root.op, c.root);
    EXPECT_EQ(NodeAt(block, root.a).op, c.left);
    EXPECT_EQ(NodeAt(block, root.b).op, c.right);
    EXPECT_EQ(kept(c.text), where(c.keep));
  }
  EXPECT_NE(kept(cases[0].text), kept(cases[1].text));
}

TEST_F(FilterOnRecordFileTest, AStarIsAnOperatorOnlyAloneAndArithmeticKeepsNoMatter) {
  const Bytes product = compile("(Threshhold) * (2) > 5");
  ASSERT_FALSE(product.empty());
  EXPECT_EQ(NodeAt(product, NodeAt(product, 0).a).op, 18u);
  EXPECT_TRUE(kept("(Threshhold) * (2) > 5").empty());

  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Threshhold * 2\rField not found in Table. ");
  EXPECT_TRUE(compile("Threshhold * 2 > 5").empty());
}

TEST_F(FilterOnRecordFileTest, AnUnquotedConstantRunsOnOverBlanks) {
  const Bytes runOn = compile("Client Code = ADAMS AND Threshhold > 5");
  ASSERT_FALSE(runOn.empty());
  EXPECT_EQ(ReadWord(runOn, kNodeCountAt), 3);
  const Node constant = NodeAt(runOn, NodeAt(runOn, 0).b);
  EXPECT_EQ(constant.a, ltText);
  EXPECT_EQ(LiteralAt(runOn, constant.c, constant.b), std::string("ADAMS AND Threshhold", 21));
  EXPECT_TRUE(kept("Client Code = ADAMS AND Threshhold > 5").empty());

  const Bytes joined = compile("Case Status 1 = \"X\" AND Threshhold > 5");
  ASSERT_FALSE(joined.empty());
  EXPECT_EQ(ReadWord(joined, kNodeCountAt), 7);
  EXPECT_EQ(kept("Case Status 1 = \"X\" AND Threshhold > 5"),
            where([](const Matter& m) { return m.status == "X" && m.threshold > 5; }));
}

TEST_F(FilterOnRecordFileTest, ANumberOnTheLeftIsAFieldTheFileLacks) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "100\rField not found in Table. ");
  EXPECT_TRUE(compile("100 < Fee Budget $").empty());
}

TEST_F(FilterOnRecordFileTest, ConstantsAreTypedByTheRecordFilesFieldOnTheLeft) {
  struct Case {
    const char* text;
    uint32_t cls;
    uint16_t type;  // for a constant
    std::string bytes;
  };
  const Case cases[] = {
      {"Case Status 1 = X", nodeConstant, ltText, std::string("X", 2)},
      {"Client Code = \" ADAMS \"", nodeConstant, ltText, std::string(" ADAMS ", 8)},
      {"Fee Budget $ >= 12.50", nodeConstant, ltFloat, BytesOf(12.5)},
      {"Threshhold = 7", nodeConstant, ltFloat, BytesOf(7.0)},
      // Dates are six characters of text in these files, so their constants are text too.
      {"Date Opened = 031526", nodeConstant, ltText, std::string("031526", 7)},
      // An auto-increment number takes no constant: the term stays a name.
      {"AutoIncrement = 5", nodeField, 0, "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Bytes block = compile(c.text);
    ASSERT_FALSE(block.empty());
    const Node right = NodeAt(block, NodeAt(block, 0).b);
    EXPECT_EQ(right.cls, c.cls);
    if (c.cls == nodeConstant) {
      EXPECT_EQ(right.a, c.type);
      EXPECT_EQ(LiteralAt(block, right.c, right.b), c.bytes);
    } else {
      EXPECT_EQ(NameAt(block, right.b), c.bytes);
    }
  }
  ScriptedMessageBoxes boxes;  // a constant that does not read as its field fails quietly
  EXPECT_TRUE(compile("Fee Budget $ = abc").empty());
}

// Client Code = "x…" or-ed together, each literal's length chosen so the pool takes total bytes.
AnsiString PoolFilling(int total) {
  const int name = static_cast<int>(std::strlen("Client Code")) + 1;
  AnsiString text;
  while (total > 0) {
    const int inner = std::min(total - name - 1, 50);  // the name, the text and its NUL
    if (!text.empty()) text += " OR ";
    text += "Client Code = \"" + std::string(static_cast<size_t>(inner), 'x') + "\"";
    total -= name + 1 + inner;
  }
  return text;
}

TEST_F(FilterOnRecordFileTest, TextsBeyondTheLimitsAreRefusedWithTheirWarning) {
  const Bytes full = compile(PoolFilling(kFilterLiteralPool));
  ASSERT_FALSE(full.empty());
  EXPECT_EQ(ReadWord(full, kTotalSizeAt) - ReadWord(full, kLiteralStartAt), kFilterLiteralPool);

  auto nested = [](int depth) {
    return std::string(static_cast<size_t>(depth), '(') + "Threshhold > 1" + std::string(static_cast<size_t>(depth), ')');
  };
  EXPECT_FALSE(compile(nested(kMaxFilterNesting)).empty());
  // Every term after the first takes the threshold's number type, which "Threshhold" does not
  // read as: a chain within the limit fails quietly, one beyond it is refused.
  auto chain = [](int nodes) {
    AnsiString text = "(Threshhold)";
    for (int n = 1; n < nodes; n += 2) text += " OR (Threshhold)";
    return text;
  };

  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(compile(chain(kMaxFilterNodes)).empty());
  boxes.expect(mtWarning, "Filter expression: too long");
  EXPECT_TRUE(compile(PoolFilling(kFilterLiteralPool + 1)).empty());
  boxes.expect(mtWarning, "Filter expression: nesting too deep at position 257");
  EXPECT_TRUE(compile(nested(kMaxFilterNesting + 1)).empty());
  boxes.expect(mtWarning, "Filter expression: too long");
  EXPECT_TRUE(compile(chain(kMaxFilterNodes + 1)).empty());
  // The table reads on unfiltered.
  EXPECT_EQ(codes().size(), kMatters.size());
}

}  // namespace
