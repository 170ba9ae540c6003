// Computed columns beside table columns in one result: each column of a row has bytes of its own.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "recordmgr/CursorProperties.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/tests/SqlDriverFixture.h"

namespace {

using namespace sqldrivertest;

const std::vector<std::pair<int, const char*>> kVisits = {{3, "a"}, {7, "b"}, {3, "c"}, {5, "d"}, {7, "e"}, {7, "f"}};

nlohmann::json visitsDescription() {
  nlohmann::json description = testDescription();
  nlohmann::json rows = nlohmann::json::array();
  for (const auto& [id, note] : kVisits) rows.push_back({id, note});
  description["tables"].push_back({{"name", "VISITS"},
                                   {"columns",
                                    {{{"name", "ID"}, {"type", "integer"}, {"size", 4}},
                                     {{"name", "NOTE"}, {"type", "string"}, {"size", 8}}}},
                                   {"rows", rows}});
  return description;
}

class SqlComputedColumnLayoutTest : public SqlDriverFixture {
 protected:
  void SetUp() override { folder = makeSqlFolder("VISITS", visitsDescription()); }

  // Every row of the query as (field countField, field idField), read through the driver.
  std::vector<std::pair<int, int>> countsAndIds(const char* query, uint16_t countField, uint16_t idField) {
    TBtrSqlDatabase* database = openSqlDatabase(folder);
    TBtrSqlBaseTable* result = runQuery(*database, query);
    auto row = rowBuffer(*result);
    std::vector<std::pair<int, int>> rows;
    try {
      for (;;) {
        result->GetNextRecord(0, row.data(), nullptr);
        rows.emplace_back(integerField(*result, countField, row), integerField(*result, idField, row));
      }
    } catch (const EKorvoEOFError&) {
    }
    return rows;
  }

  // The count of each ID, in ID order, from the fixture's rows themselves.
  static std::vector<std::pair<int, int>> expectedCounts() {
    std::map<int, int> counts;
    for (const auto& [id, note] : kVisits) ++counts[id];
    std::vector<std::pair<int, int>> out;
    for (const auto& [id, count] : counts) out.emplace_back(count, id);
    return out;
  }

  std::string folder;
};

TEST_F(SqlComputedColumnLayoutTest, ACountBeforeAColumnAndAColumnBeforeACountBothReadRight) {
  const std::vector<std::pair<int, int>> expected = expectedCounts();
  EXPECT_EQ(countsAndIds("SELECT COUNT(*), ID FROM VISITS GROUP BY ID ORDER BY ID", 1, 2), expected);
  EXPECT_EQ(countsAndIds("SELECT ID, COUNT(*) FROM VISITS GROUP BY ID ORDER BY ID", 2, 1), expected);
  const std::vector<std::pair<int, int>> sevens = {expected.back()};
  EXPECT_EQ(countsAndIds("SELECT COUNT(*), ID FROM VISITS WHERE ID = 7", 1, 2), sevens);
}

TEST_F(SqlComputedColumnLayoutTest, EachColumnStartsWhereTheOneBeforeItEnds) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT COUNT(*), SUM(ID), ID, NOTE FROM VISITS GROUP BY ID");
  CursorProperties properties;
  result->GetCursorProps(properties);
  const std::vector<uint16_t> offsets = {2, 2 + 4, 2 + 4 + 8, 2 + 4 + 8 + 4};
  for (uint16_t field = 1; field <= 4; ++field)
    EXPECT_EQ(result->FieldCache()->GetFieldItem(field)->Descriptor().Offset, offsets[field - 1]) << field;
  const auto recordSize = properties.RecordSize;  // EXPECT_EQ binds a reference; the struct is packed
  EXPECT_EQ(recordSize, 2 + 4 + 8 + 4 + 8 + 4);
}

}  // namespace

namespace {

TEST_F(SqlComputedColumnLayoutTest, OtherComputedColumnsReadAsTextOrNumbersWithTheirDecimals) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result =
      runQuery(*database, "SELECT MAX(NOTE), ID * 10, AVG(AMOUNT), ID FROM VISITS, LEDGER WHERE ID = 5 AND B = 1");
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  char text[256] = {};
  bool blank = true;
  result->GetField(1, row.data(), blank, text);
  EXPECT_STREQ(text, "d");
  result->GetField(2, row.data(), blank, text);
  EXPECT_STREQ(text, "50");
  double average = 0;
  result->GetField(3, row.data(), blank, &average);
  EXPECT_DOUBLE_EQ(average, 10.0);
  EXPECT_EQ(integerField(*result, 4, row), 5);
}

}  // namespace
