// Expression blocks that were cut short or overwritten: each is refused with a message naming
// the damage, no record is consulted, and nothing outside the block is read.
#include <gtest/gtest.h>

#include <functional>

#include "framework/base/Exception.h"
#include "framework/db/DataSetFilter.h"
#include "framework/db/FilterExpression.h"
#include "framework/db/MemoryDataSet.h"

using namespace filterexpr;

namespace {

// Answers CODE = 1 and NAME = "ab", and counts how often it is asked.
struct CountingRecord : FilterRecord {
  int asked = 0;
  std::optional<TypedValue> FieldValue(const AnsiString& name) override {
    ++asked;
    if (name == "CODE") return TypedValue{ltLongInt, std::string("\1\0\0\0", 4)};
    if (name == "NAME") return TypedValue{ltText, std::string("ab\0", 3)};
    return std::nullopt;
  }
};

void PutWord(std::vector<uint8_t>& block, int at, int value) {
  block.at(at) = static_cast<uint8_t>(value & 0xFF);
  block.at(at + 1) = static_cast<uint8_t>((value >> 8) & 0xFF);
}

class DamagedFilterBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("CODE", ftInteger);
    ds.FieldDefs().Add("NAME", ftString, 10);
    ds.Open();
    block = ParseFilter("CODE = 1 and NAME = 'ab'", 0, FilterFieldsOf(ds));
    nodes = ReadWord(block, kNodeStartAt);
    literals = ReadWord(block, kLiteralStartAt);
    compare = ReadWord(block, nodes + 8);
    field = ReadWord(block, nodes + compare + 12);
    constant = ReadWord(block, nodes + compare + 14);
  }

  MemoryDataSet ds{nullptr};
  std::vector<uint8_t> block;
  int nodes = 0, literals = 0;
  int compare = 0, field = 0, constant = 0;  // node offsets of the first comparison's parts
};

TEST_F(DamagedFilterBlock, TheUndamagedBlockIsAcceptedAndEvaluated) {
  CountingRecord record;
  EXPECT_NO_THROW(CheckFilterBlock(block));
  EXPECT_TRUE(EvaluateFilter(block, record));
  EXPECT_EQ(record.asked, 2);
}

TEST_F(DamagedFilterBlock, EachDamageIsNamed) {
  const int nodeAreaSize = literals - nodes;
  const int literalSize = static_cast<int>(block.size()) - literals;
  const AnsiString header = "Filter expression: damaged block header";
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    AnsiString message;
  } cases[] = {
      {"no header", [](auto& b) { b.clear(); }, header},
      {"header cut short", [](auto& b) { b.resize(kHeaderSize - 1); }, header},
      {"another version", [](auto& b) { PutWord(b, kVersionAt, 2); }, header},
      {"size says more than there is",
       [](auto& b) { PutWord(b, kTotalSizeAt, static_cast<int>(b.size()) + 1); }, header},
      {"no nodes", [](auto& b) { PutWord(b, kNodeCountAt, 0); }, header},
      {"node area inside the header", [](auto& b) { PutWord(b, kNodeStartAt, 4); }, header},
      {"node area after the literals",
       [&](auto& b) { PutWord(b, kNodeStartAt, literals + 1); }, header},
      {"literal area past the end",
       [](auto& b) { PutWord(b, kLiteralStartAt, static_cast<int>(b.size()) + 1); }, header},
      {"unknown node class", [&](auto& b) { PutWord(b, nodes + compare, 99); },
       "Filter expression: damaged block: unknown node class 99 at offset " +
           std::to_string(compare)},
      {"node starting at the end of the node area",
       [&](auto& b) { PutWord(b, nodes + 10, nodeAreaSize - 4); },
       "Filter expression: damaged block: node at offset " +
           std::to_string(nodeAreaSize - 4) + " lies outside the node area"},
      {"node running past the node area",
       [&](auto& b) {
         PutWord(b, nodes + 10, nodeAreaSize - 8);
         PutWord(b, nodes + nodeAreaSize - 8, nodeCompare);
         PutWord(b, nodes + nodeAreaSize - 6, 0);
       },
       "Filter expression: damaged block: node at offset " +
           std::to_string(nodeAreaSize - 8) + " lies outside the node area"},
      {"node far outside the block", [&](auto& b) { PutWord(b, nodes + 10, 0xFFFF); },
       "Filter expression: damaged block: node at offset 65535 lies outside the node area"},
      {"operand referring to its own node", [&](auto& b) { PutWord(b, nodes + 8, 0); },
       "Filter expression: damaged block: operand of the node at offset 0 does not follow it"},
      {"operand referring back",
       [&](auto& b) { PutWord(b, nodes + compare + 12, 0); },
       "Filter expression: damaged block: operand of the node at offset " +
           std::to_string(compare) + " does not follow it"},
      {"two operands sharing a node", [&](auto& b) { PutWord(b, nodes + 10, compare); },
       "Filter expression: damaged block: node at offset " + std::to_string(compare) +
           " is used twice"},
      {"field name outside the literals", [&](auto& b) { PutWord(b, nodes + field + 10, 0xFFFF); },
       "Filter expression: damaged block: literal at offset 65535 lies outside the literal "
       "area"},
      {"field name without its end",
       [&](auto& b) {
         b.back() = 'x';
         PutWord(b, nodes + field + 10, literalSize - 1);
       },
       "Filter expression: damaged block: name at literal offset " +
           std::to_string(literalSize - 1) + " has no end"},
      {"constant longer than the literals",
       [&](auto& b) { PutWord(b, nodes + constant + 10, 0xFFFF); },
       "Filter expression: damaged block: literal at offset " +
           std::to_string(ReadWord(block, nodes + constant + 12)) +
           " lies outside the literal area"},
      {"constant running past the end",
       [&](auto& b) { PutWord(b, nodes + constant + 12, literalSize - 2); },
       "Filter expression: damaged block: literal at offset " + std::to_string(literalSize - 2) +
           " lies outside the literal area"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> damaged = block;
    c.damage(damaged);
    try {
      CheckFilterBlock(damaged);
      ADD_FAILURE() << "accepted";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    CountingRecord record;
    EXPECT_FALSE(EvaluateFilter(damaged, record));
    EXPECT_EQ(record.asked, 0) << "a damaged block consults no record";
  }
}

TEST_F(DamagedFilterBlock, EveryTruncationIsRefused) {
  for (size_t size = 0; size < block.size(); ++size) {
    SCOPED_TRACE(size);
    std::vector<uint8_t> cut(block.begin(), block.begin() + static_cast<long>(size));
    EXPECT_THROW(CheckFilterBlock(cut), EDatabaseError);
    CountingRecord record;
    EXPECT_FALSE(EvaluateFilter(cut, record));
    EXPECT_EQ(record.asked, 0);
  }
}

// Whatever one overwritten byte does to the block, testing a record with it finishes, asks for
// no more than the two fields the block can name, and reads nothing beyond the block.
TEST_F(DamagedFilterBlock, EveryOverwrittenByteIsRefusedOrEvaluatedWithinTheBlock) {
  for (size_t at = 0; at < block.size(); ++at) {
    for (uint8_t value : {0x00, 0x01, 0x0C, 0x7F, 0x80, 0xFF}) {
      SCOPED_TRACE(std::to_string(at) + " = " + std::to_string(value));
      std::vector<uint8_t> damaged = block;
      damaged[at] = value;
      CountingRecord record;
      EvaluateFilter(damaged, record);
      EXPECT_LE(record.asked, 2);
    }
  }
}

// A block filled with "not"s to its 16-bit size limit is sound, and testing a record with it
// stays within the stack.
TEST(DeepFilterBlock, AsDeepAsABlockHoldsIsEvaluated) {
  const int nots = (0xFFFF - kHeaderSize) / 10 - 1;  // and the truth at the end
  const int total = kHeaderSize + 10 * (nots + 1);
  std::vector<uint8_t> block(total);
  PutWord(block, kVersionAt, kVersion);
  PutWord(block, kTotalSizeAt, total);
  PutWord(block, kNodeCountAt, nots + 1);
  PutWord(block, kNodeStartAt, kHeaderSize);
  PutWord(block, kLiteralStartAt, total);
  for (int i = 0; i < nots; ++i) {
    int at = kHeaderSize + 10 * i;
    PutWord(block, at, nodeUnary);
    PutWord(block, at + 4, opNot);
    PutWord(block, at + 8, 10 * (i + 1));
  }
  PutWord(block, kHeaderSize + 10 * nots, nodeContinue);
  PutWord(block, kHeaderSize + 10 * nots + 8, nots % 2 == 0);  // what the "not"s turn true
  CountingRecord record;
  EXPECT_NO_THROW(CheckFilterBlock(block));
  EXPECT_TRUE(EvaluateFilter(block, record));
}

}  // namespace
