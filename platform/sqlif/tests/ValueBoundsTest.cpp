// The edges of what a column holds: integers exactly as wide as their bytes, times and dates with
// nothing after them. The same edge holds in the stored forms, in the creation tool's check of a
// description, and in the rows the interface reads and writes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sqlif/StoredValues.h"
#include "platform/sqlif/tests/SqlFixture.h"
#include "testing/TestDirs.h"

namespace qn::sqlif::testing {
namespace {

using json = nlohmann::json;

struct IntegerCase {
  uint16_t size;
  int64_t value;
  bool fits;
};

const IntegerCase kIntegerCases[] = {
    {2, 32767, true},  {2, -32768, true}, {2, 32768, false}, {2, -32769, false},
    {1, 127, true},    {1, -128, true},   {1, 128, false},   {1, -129, false},
    {4, 2147483647, true}, {4, -2147483648LL, true}, {4, 2147483648LL, false}, {4, -2147483649LL, false},
};

struct TextCase {
  uint8_t type;
  const char* text;
  bool valid;
};

const TextCase kTimeAndDateCases[] = {
    {storedType::time, "12:30:00.00", true}, {storedType::time, "12:30:00", true},
    {storedType::time, "12:30", true},       {storedType::time, "12:30:00.00x", false},
    {storedType::time, "12:30:00x", false},  {storedType::time, "12:30x", false},
    {storedType::time, "12:30:", false},     {storedType::time, "12:30:00.", false},
    {storedType::date, "2024-02-29", true},  {storedType::date, "2024-02-29x", false},
    {storedType::date, "2024-02-29 ", false},
};

TEST(ValueBoundsTest, IntegersFitTheirColumnsExactly) {
  for (const IntegerCase& c : kIntegerCases) {
    SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.size) + " bytes");
    const ColumnType type{storedType::integer, c.size};
    const std::string problem = valueProblem(SqlValue::ofInteger(c.value), type);
    if (c.fits)
      EXPECT_EQ(problem, "");
    else
      EXPECT_NE(problem.find("does not fit"), std::string::npos) << problem;
    std::vector<uint8_t> out(c.size, 0xEE);
    EXPECT_EQ(storeValue(SqlValue::ofInteger(c.value), type, out.data()), c.fits);
    const std::optional<SqlValue> back = readStoredValue(type, out.data());
    ASSERT_TRUE(back.has_value());
    // A value without a stored form leaves the column cleared, never wrapped round.
    EXPECT_EQ(back->integer, c.fits ? c.value : 0);
  }
}

TEST(ValueBoundsTest, TimesAndDatesWithAnythingAfterThemAreRefused) {
  for (const TextCase& c : kTimeAndDateCases) {
    SCOPED_TRACE(c.text);
    const ColumnType type{c.type, 4};
    EXPECT_EQ(valueProblem(SqlValue::ofText(c.text), type).empty(), c.valid);
    std::vector<uint8_t> out(4, 0xEE);
    EXPECT_EQ(storeValue(SqlValue::ofText(c.text), type, out.data()), c.valid);
  }
}

// EDGES: ID integer 4, SMALL integer 2, TINY integer 1, HOUR time, OPENED date; one row.
json edgesDescription(const json& row) {
  json edges = {{"name", "EDGES"},
                {"columns",
                 {{{"name", "ID"}, {"type", 1}, {"size", 4}},
                  {{"name", "SMALL"}, {"type", 1}, {"size", 2}},
                  {{"name", "TINY"}, {"type", 1}, {"size", 1}},
                  {{"name", "HOUR"}, {"type", "time"}, {"size", 4}},
                  {{"name", "OPENED"}, {"type", "date"}, {"size", 4}}}},
                {"rows", json::array({row})}};
  json description = standardDescription();
  description["tables"].push_back(edges);
  return description;
}

const json kEdgeRow = json::array({1, 32767, -128, "12:30:00.00", "2024-02-29"});

TEST(ToolValueBoundsTest, TheToolTakesTheEdgesAndRefusesWhatLiesBeyond) {
  const std::string parent = qn::testing::makeScratchDir("tool-bounds");
  struct Case {
    size_t column;
    json value;
    const char* reason;  // nullptr: taken
  };
  const Case cases[] = {
      {1, 32767, nullptr},       {1, -32768, nullptr},       {1, 32768, "does not fit"},
      {1, -32769, "does not fit"}, {2, 127, nullptr},        {2, 128, "does not fit"},
      {2, -129, "does not fit"}, {3, "12:30:00.00x", "time"}, {3, "12:30x", "time"},
      {4, "2024-02-29x", "date"},
  };
  int made = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.dump());
    json row = kEdgeRow;
    row[c.column] = c.value;
    const std::string folder = parent + "/DB" + std::to_string(++made);
    const ToolRun run = makeDatabase(folder, edgesDescription(row));
    if (c.reason == nullptr) {
      EXPECT_EQ(run.exitCode, 0) << run.output;
      continue;
    }
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("tables[2].rows[0][" + std::to_string(c.column) + "]"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(c.reason), std::string::npos) << run.output;
  }
}

// EDGES through the interface: 2 + 4 + 2 + 1 + 4 + 4 + 4 bytes a row.
constexpr uint16_t kEdgeStride = 21;
constexpr size_t kSmallAt = 6, kTinyAt = 8, kTimeAt = 9, kDateAt = 13;

class InterfaceValueBoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = qn::testing::makeScratchDir("sql-bounds") + "/LAW";
    const ToolRun made = makeDatabase(folder, edgesDescription(kEdgeRow));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ASSERT_EQ(loginTo(folder), 0);
  }
  void TearDown() override { api.reset(""); }

  int16_t edges() {
    int16_t c = -1;
    EXPECT_EQ(openCursor(c), 0);
    EXPECT_EQ(compileText(c, "SELECT ID, SMALL, TINY, HOUR, OPENED FROM EDGES"), 0);
    EXPECT_EQ(api.exec(c), 0);
    EXPECT_EQ(recordSize(c), kEdgeStride);
    return c;
  }
  std::vector<uint8_t> firstRow() {
    const int16_t c = edges();
    Fetched f = fetchRows(c, 1, 1, kEdgeStride);
    EXPECT_EQ(f.status, 0);
    api.free(c);
    return f.buffer;
  }
  static int16_t small(const std::vector<uint8_t>& row) {
    int16_t v;
    std::memcpy(&v, row.data() + kSmallAt, 2);
    return v;
  }

  SqlInterfaceApi& api = SqlInterfaceApi::instance();
  std::string folder;
};

TEST_F(InterfaceValueBoundsTest, RowsWrittenAtTheEdgesReadBackExactly) {
  const int16_t c = edges();
  Fetched f = fetchRows(c, 1, 1, kEdgeStride);
  ASSERT_EQ(f.status, 0);
  EXPECT_EQ(small(f.buffer), 32767);
  EXPECT_EQ(static_cast<int8_t>(f.buffer[kTinyAt]), -128);
  const int16_t lowest = -32768;
  std::memcpy(f.buffer.data() + kSmallAt, &lowest, 2);
  f.buffer[kTinyAt] = 127;
  int32_t count = 1;
  ASSERT_EQ(api.update(c, 1, "*.*", &count, f.buffer.data()), 0);
  api.free(c);
  const std::vector<uint8_t> again = firstRow();
  EXPECT_EQ(small(again), -32768);
  EXPECT_EQ(static_cast<int8_t>(again[kTinyAt]), 127);
}

TEST_F(InterfaceValueBoundsTest, StoredValuesBeyondTheColumnReadAsBlankAndBadBytesAreRefused) {
  // A statement writes the table as SQLite takes it; the row buffer must not show a wrapped value.
  const char* statements[] = {
      "UPDATE EDGES SET SMALL = 32768", "UPDATE EDGES SET SMALL = -32769", "UPDATE EDGES SET TINY = 128",
      "UPDATE EDGES SET TINY = -129",   "UPDATE EDGES SET HOUR = '12:30:00.00x'",
      "UPDATE EDGES SET HOUR = '12:30:00x'", "UPDATE EDGES SET OPENED = '2024-02-29x'",
  };
  for (const char* text : statements) {
    SCOPED_TRACE(text);
    const int16_t reset = runStatement("UPDATE EDGES SET SMALL = 1, TINY = 1, HOUR = '01:02', OPENED = '2024-01-02'");
    api.free(reset);
    const int16_t change = runStatement(text);
    api.free(change);
    const std::vector<uint8_t> row = firstRow();
    ASSERT_EQ(row.size(), kEdgeStride);
    auto changes = [&](const char* column) { return std::strstr(text, column) != nullptr; };
    EXPECT_EQ(small(row), changes("SMALL") ? 0 : 1);
    EXPECT_EQ(row[kTinyAt], changes("TINY") ? 0 : 1);
    EXPECT_EQ(row[kTimeAt + 3], changes("HOUR") ? 0 : 1) << "hours";
    EXPECT_EQ(row[kDateAt], changes("OPENED") ? 0 : 2) << "day";
  }
  // Bytes that hold no time are refused with the invalid-value status, and nothing is written.
  const int16_t c = edges();
  Fetched f = fetchRows(c, 1, 1, kEdgeStride);
  ASSERT_EQ(f.status, 0);
  f.buffer[kTimeAt + 3] = 24;
  int32_t count = 1;
  EXPECT_EQ(api.update(c, 1, "*.*", &count, f.buffer.data()), 227);
  api.free(c);
  EXPECT_EQ(firstRow()[kTimeAt + 3], 1);
}

}  // namespace
}  // namespace qn::sqlif::testing
