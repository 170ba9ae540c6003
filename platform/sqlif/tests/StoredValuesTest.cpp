// The stored forms of values in a row buffer, both ways.
#include "platform/sqlif/StoredValues.h"

#include <gtest/gtest.h>

#include <vector>


namespace qn::sqlif {
namespace {

struct Case {
  ColumnType type;
  SqlValue value;
  std::vector<uint8_t> stored;
};

std::vector<Case> cases() {
  return {
      {{storedType::decimal, 2, 0}, SqlValue::ofInteger(123), {0x12, 0x3F}},
      {{storedType::decimal, 2, 0}, SqlValue::ofInteger(-123), {0x12, 0x3D}},
      {{storedType::decimal, 5, 2}, SqlValue::ofReal(1004.5), {0x00, 0x01, 0x00, 0x45, 0x0F}},
      {{storedType::string, 7}, SqlValue::ofText("abc"), {'a', 'b', 'c', ' ', ' ', ' ', ' '}},
      {{storedType::zstring, 5}, SqlValue::ofText("abc"), {'a', 'b', 'c', 0, 0}},
      {{storedType::integer, 2}, SqlValue::ofInteger(-2), {0xFE, 0xFF}},
      {{storedType::integer, 1}, SqlValue::ofInteger(5), {0x05}},
      {{storedType::integer, 8}, SqlValue::ofInteger(0x0102030405060708), {8, 7, 6, 5, 4, 3, 2, 1}},
      {{storedType::date, 4}, SqlValue::ofText("2024-02-29"), {29, 2, 0xE8, 0x07}},
      {{storedType::time, 4}, SqlValue::ofText("13:05:09.25"), {25, 9, 5, 13}},
      {{storedType::logical, 2}, SqlValue::ofInteger(1), {1, 0}},
      {{storedType::floating, 8}, SqlValue::ofReal(0.5), {0, 0, 0, 0, 0, 0, 0xE0, 0x3F}},
      {{storedType::date, 4}, SqlValue{}, {0, 0, 0, 0}},
  };
}

TEST(StoredValuesTest, StoresAndReadsBack) {
  for (const Case& c : cases()) {
    std::vector<uint8_t> out(c.type.size, 0xEE);
    ASSERT_TRUE(storeValue(c.value, c.type, out.data()));
    EXPECT_EQ(out, c.stored) << static_cast<int>(c.type.storedType);
    const std::optional<SqlValue> back = readStoredValue(c.type, out.data());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->kind == SqlValue::Kind::null, c.value.kind == SqlValue::Kind::null);
  }
}

TEST(StoredValuesTest, ValuesWithoutStoredFormLeaveTheColumnCleared) {
  const std::pair<ColumnType, SqlValue> refused[] = {
      {{storedType::date, 4}, SqlValue::ofText("2023-02-29")},
      {{storedType::time, 4}, SqlValue::ofText("24:00")},
      {{storedType::decimal, 2, 0}, SqlValue::ofInteger(1234)},
      {{storedType::integer, 4}, SqlValue::ofText("twelve")},
  };
  for (const auto& [type, value] : refused) {
    std::vector<uint8_t> out(type.size, 0xEE);
    EXPECT_FALSE(storeValue(value, type, out.data()));
    EXPECT_EQ(out, std::vector<uint8_t>(type.size, 0));
  }
}

TEST(StoredValuesTest, BytesWithoutValueAreRefused) {
  const uint8_t month13[] = {1, 13, 0xE8, 0x07};
  EXPECT_FALSE(readStoredValue({storedType::date, 4}, month13).has_value());
  const uint8_t badNibble[] = {0x1A, 0x3F};
  EXPECT_FALSE(readStoredValue({storedType::decimal, 2}, badNibble).has_value());
  const uint8_t hour25[] = {0, 0, 0, 25};
  EXPECT_FALSE(readStoredValue({storedType::time, 4}, hour25).has_value());
}

TEST(StoredValuesTest, ColumnTypesTheToolAllows) {
  EXPECT_EQ(columnTypeProblem({storedType::integer, 4}), "");
  EXPECT_NE(columnTypeProblem({storedType::integer, 3}), "");
  EXPECT_NE(columnTypeProblem({storedType::logical, 4}), "");
  EXPECT_NE(columnTypeProblem({6, 8}), "");
  EXPECT_NE(columnTypeProblem({storedType::decimal, 2, 4}), "");  // 3 digits hold no 4 decimals
  EXPECT_EQ(columnTypeProblem({storedType::decimal, 2, 3}), "");
}

}  // namespace
}  // namespace qn::sqlif
