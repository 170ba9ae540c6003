// Filters on a Boolean field: the words for true and false in any letter case, and their first
// letter, mean the same to the filter compiler and to a record-manager cursor filtering with
// the compiled block.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datagrid/CursorFilters.h"
#include "datagrid/FilterCompiler.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/DataSetFilter.h"
#include "framework/db/FilterExpression.h"
#include "framework/db/MemoryDataSet.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"
#include "recordmgr/tests/EngineFiles.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct BooleanCase {
  const char* text;
  bool value;
};

const BooleanCase kCases[] = {
    {"Active = true", true},   {"Active = TRUE", true},   {"Active = True", true},   {"Active = t", true},
    {"Active = false", false}, {"Active = FALSE", false}, {"Active = False", false}, {"Active = f", false},
};

// Ids 1 to 4, the even ones active.
constexpr int kIds = 4;
bool activeId(int id) { return id % 2 == 0; }
std::vector<int> idsWhere(bool active) {
  std::vector<int> ids;
  for (int id = 1; id <= kIds; ++id)
    if (activeId(id) == active) ids.push_back(id);
  return ids;
}

std::vector<int> keptIds(TDataSet& table, const std::function<bool()>& keep) {
  std::vector<int> ids;
  for (table.First(); !table.Eof(); table.Next())
    if (keep()) ids.push_back(table.FieldByName("Id")->AsInteger());
  return ids;
}

TEST(BooleanFilterTest, TheCompilerReadsTrueAndFalseAlikeInAnyLetterCase) {
  MemoryDataSet table{nullptr};
  table.FieldDefs().Add("Id", ftInteger);
  table.FieldDefs().Add("Active", ftBoolean);
  table.Open();
  for (int id = 1; id <= kIds; ++id) {
    table.Append();
    table.FieldByName("Id")->SetAsInteger(id);
    table.FieldByName("Active")->SetAsBoolean(activeId(id));
    table.Post();
  }
  for (const BooleanCase& c : kCases) {
    SCOPED_TRACE(c.text);
    const Bytes block = CompileFilterExpression(c.text, table);
    ASSERT_FALSE(block.empty());
    // The comparison's right operand is the constant: its type and its literal's bytes.
    const int nodes = filterexpr::ReadWord(block, filterexpr::kNodeStartAt);
    const int constant = nodes + filterexpr::ReadWord(block, nodes + 10);
    EXPECT_EQ(filterexpr::ReadWord(block, constant + 8), filterexpr::ltBoolean);
    const int literal =
        filterexpr::ReadWord(block, filterexpr::kLiteralStartAt) + filterexpr::ReadWord(block, constant + 12);
    EXPECT_EQ(std::string(block.begin() + literal, block.begin() + literal + 2), BytesOf<int16_t>(c.value ? -1 : 0));
    DataSetFilterRecord record(table);
    EXPECT_EQ(keptIds(table, [&] { return filterexpr::EvaluateFilter(block, record); }), idsWhere(c.value));
  }
}

class BooleanCursorFilterTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    dictionary = std::make_unique<btrtest::DictionaryFolder>(false);
    recordingtest::createRecordFile(dictionary->path() + "/FLAGS.DAT", 6, {{1, 4, 0, 1}});
    dictionary->addTable(1, "FLAGS", "FLAGS.DAT");
    dictionary->addField(1, 1, "Id", 1, 0, 4);
    dictionary->addField(2, 1, "Active", 7, 4, 2);
    dictionary->addIndexSegment(1, 1);
    flags.SetDatabaseName(dictionary->path());
    flags.SetTableName("FLAGS");
    flags.SetIndexName("0");
    flags.Open();
    for (int id = 1; id <= kIds; ++id) {
      flags.Append();
      flags.FieldByName("Id")->SetAsInteger(id);
      flags.FieldByName("Active")->SetAsBoolean(activeId(id));
      flags.Post();
    }
  }

  std::unique_ptr<btrtest::DictionaryFolder> dictionary;
  TTable flags{nullptr};
};

TEST_F(BooleanCursorFilterTest, TheCursorKeepsTheSameRecordsForTrueAndFalseInAnyLetterCase) {
  ASSERT_EQ(flags.FieldByName("Active")->DataType(), ftBoolean);
  for (const BooleanCase& c : kCases) {
    SCOPED_TRACE(c.text);
    TFilterListItem* handle = nullptr;
    ASSERT_TRUE(ApplyFilterExpression(c.text, &flags, handle, false));
    EXPECT_EQ(keptIds(flags, [] { return true; }), idsWhere(c.value));
    DropFilter(&flags, handle);
  }
}

}  // namespace
