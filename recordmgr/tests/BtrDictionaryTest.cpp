#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recordmgr/BtrDatabase.h"
#include "recordmgr/BtrDictionaryTables.h"
#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/TableDescription.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"
#include "recordmgr/tests/BtrTestTables.h"
#include "recordmgr/tests/EngineFiles.h"
#include "testing/TestDirs.h"

namespace {

using btrtest::DictionaryFolder;
using btrtest::failureOf;

std::vector<std::string> tableNames(TBaseTable& list, bool extended, std::vector<uint16_t>* sizes = nullptr) {
  std::vector<std::string> names;
  ExtendedTableDescription description{};
  try {
    for (;;) {
      list.GetNextRecord(0, &description, nullptr);
      names.emplace_back(description.Base.Name);
      if (sizes) sizes->push_back(extended ? description.RecordSize : 0);
    }
  } catch (const EKorvoEOFError&) {
  }
  return names;
}

std::vector<FieldDescriptor> fieldsOf(TBaseTable& list) {
  std::vector<FieldDescriptor> fields;
  FieldDescriptor field{};
  try {
    for (;;) {
      list.GetNextRecord(0, &field, nullptr);
      fields.push_back(field);
    }
  } catch (const EKorvoEOFError&) {
  }
  return fields;
}

// CASE and YCASE with their files, fields and index segments, and FILE.DDF describing itself.
class BtrDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
  }

  std::unique_ptr<DictionaryFolder> folder(bool withExtensions) {
    auto made = std::make_unique<DictionaryFolder>(withExtensions);
    made->addTable(1, "CASE", "YCase.qf");
    made->addTable(2, "YCASE", "YCase2.qf");
    made->addTable(3, "FILE", "FILE.DDF", DictionaryTableRecord::DictionaryFile);
    made->addTable(4, "EMPTY", "Empty.qf");
    made->addField(1, 1, "Code", 0, 0, 8);
    made->addField(2, 1, "Unstored", 0, 8, 0);
    made->addField(3, 1, "Amount", 0, 8, 4);
    made->addField(4, 2, "Other", 0, 0, 4);
    made->addIndexSegment(1, 1);
    made->addIndexSegment(2, 4);
    recordingtest::createRecordFile(made->path() + "/YCase.qf", 12, {{1, 8, 0}});
    recordingtest::createRecordFile(made->path() + "/YCase2.qf", 4, {{1, 4, 0}});
    return made;
  }

  std::unique_ptr<TBtrDatabase> database(const DictionaryFolder& made) {
    DatabaseDescription description{};
    std::strncpy(description.Path, (made.path() + "/").c_str(), sizeof description.Path - 1);
    return std::make_unique<TBtrDatabase>(nullptr, "TEST", &description, nullptr, nullptr);
  }
};

TEST_F(BtrDictionaryTest, DictionaryEntriesAreListedOnlyWhenAsked) {
  auto made = folder(false);
  std::unique_ptr<TBtrTblListTable> plain(CreateCursor<TBtrTblListTable>(nullptr, nullptr, false, false, made->path()));
  EXPECT_EQ(tableNames(*plain, false), (std::vector<std::string>{"CASE", "YCASE", "EMPTY"}));
  std::unique_ptr<TBtrTblListTable> all(CreateCursor<TBtrTblListTable>(nullptr, nullptr, true, true, made->path()));
  std::vector<uint16_t> sizes;
  EXPECT_EQ(tableNames(*all, true, &sizes), (std::vector<std::string>{"CASE", "YCASE", "FILE", "EMPTY"}));
  EXPECT_EQ(sizes, (std::vector<uint16_t>{12, 4, 97, 0}));  // EMPTY has no file
  EXPECT_EQ(all->GetRecordSize(), 626);
  EXPECT_EQ(plain->GetRecordSize(), 574);
}

TEST_F(BtrDictionaryTest, FieldListsSkipUnstoredFieldsAndEndWithTheirTable) {
  for (bool withExtensions : {false, true}) {
    SCOPED_TRACE(withExtensions);
    auto made = folder(withExtensions);
    if (withExtensions) made->addFieldExtension(1, 3, 1);  // Amount is an integer
    std::unique_ptr<TBtrFieldListTable> fields(CreateCursor<TBtrFieldListTable>(nullptr, nullptr, 1, made->path()));
    const std::vector<FieldDescriptor> listed = fieldsOf(*fields);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_STREQ(listed[0].FieldName, "Code");
    EXPECT_EQ(listed[0].FieldNumber, 1);
    EXPECT_STREQ(listed[1].FieldName, "Amount");
    EXPECT_EQ(listed[1].FieldNumber, 2);
    EXPECT_EQ(listed[1].LocalType, withExtensions ? 1 : 0);
    EXPECT_EQ(listed[1].FieldType, withExtensions ? LogicalFieldType::Int32 : LogicalFieldType::Text);

    std::unique_ptr<TBtrFieldListTable> none(CreateCursor<TBtrFieldListTable>(nullptr, nullptr, 4, made->path()));
    EXPECT_TRUE(fieldsOf(*none).empty());
    uint32_t count = 9;
    none->GetExactRecordCount(count);
    EXPECT_EQ(count, 0u);
  }
}

TEST_F(BtrDictionaryTest, ALayoutListYieldsTheLayoutsFieldsAndAMissingLayoutFails) {
  std::unique_ptr<TResFieldListTable> layout(CreateCursor<TResFieldListTable>(nullptr, "YClient.qf;RES:YCLIENT"));
  const std::vector<FieldDescriptor> fields = fieldsOf(*layout);
  ASSERT_FALSE(fields.empty());
  EXPECT_STREQ(fields[1].FieldName, "Client Code");
  EXPECT_NE(failureOf([] { delete CreateCursor<TResFieldListTable>(nullptr, "YClient.qf;RES:NOSUCH"); }).first, 0);
}

TEST_F(BtrDictionaryTest, TablesOpenFromTheDictionaryOrByLayout) {
  auto made = folder(false);
  auto db = database(*made);
  TBaseTable* cursor = nullptr;
  db->OpenTable("CASE", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, cursor);
  auto* table = dynamic_cast<TBtrTable*>(cursor);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->PhysicalName(), AnsiString(made->path() + "/YCase.qf"));
  EXPECT_EQ(table->FieldCache()->Count(), 2);
  EXPECT_EQ(table->FieldCache()->FieldNumberByName("Amount"), 2);

  // A second cursor takes the fields of the first.
  TBaseTable* second = nullptr;
  db->OpenTable("case", nullptr, "0", nullptr, 0, 0, 0, 0, false, nullptr, second);
  EXPECT_EQ(second->FieldCache()->Count(), 2);

  // A layout the program lacks: the dictionary by file name.
  TBaseTable* byFile = nullptr;
  db->OpenTable("YCase.qf;RES:NOSUCH", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, byFile);
  EXPECT_EQ(dynamic_cast<TBtrTable*>(byFile)->PhysicalName(), AnsiString(made->path() + "/YCase.qf"));

  const int open = db->CursorList()->Count();
  EXPECT_EQ(failureOf([&] {
              TBaseTable* missing = nullptr;
              db->OpenTable("NoSuch.qf;RES:NOSUCH", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, missing);
            }),
            std::make_pair(204, std::string("NoSuch.qf;RES:NOSUCH")));
  // A table whose file is missing fails to open and is closed again.
  EXPECT_EQ(failureOf([&] {
              TBaseTable* missing = nullptr;
              db->OpenTable("EMPTY", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, missing);
            }).first,
            12);
  EXPECT_EQ(db->CursorList()->Count(), open);
}

TEST_F(BtrDictionaryTest, DeletingATableRemovesOnlyItsDictionaryRecords) {
  auto made = folder(true);
  made->addFieldExtension(1, 3, 1);
  made->addFieldExtension(2, 4, 1);
  auto db = database(*made);
  db->DeleteTableFromDictionary("case");
  EXPECT_EQ(made->recordsOf("FILE.DDF", 1), 0);
  EXPECT_EQ(made->recordsOf("FIELD.DDF", 1), 0);
  EXPECT_EQ(made->recordsOf("INDEX.DDF", 1), 0);
  EXPECT_EQ(made->recordsOf("FIELDEXT.DDF", 1), 0);
  EXPECT_EQ(made->recordsOf("FILE.DDF", 2), 1);
  EXPECT_EQ(made->recordsOf("FIELD.DDF", 2), 1);
  EXPECT_EQ(made->recordsOf("INDEX.DDF", 2), 1);
  EXPECT_EQ(made->recordsOf("FIELDEXT.DDF", 2), 1);
}

TEST_F(BtrDictionaryTest, AChangedNameMustNameOneEntry) {
  auto made = folder(false);
  made->addTable(5, "CASEX", "CaseX.qf");
  auto db = database(*made);
  EXPECT_EQ(failureOf([&] { db->DeleteTableFromDictionary("NOPE"); }), std::make_pair(204, std::string("NOPE")));
  EXPECT_EQ(failureOf([&] { db->DeleteTableFromDictionary("ASE"); }).first, 204);  // CASE, YCASE, CASEX
  EXPECT_EQ(made->recordsOf("FILE.DDF", 1), 1);

  db->RenameTableInDictionary("EMPT", "A-NAME-OF-TWENTY-FOUR-XX");  // contained by one entry only
  std::unique_ptr<TBtrTblListTable> list(CreateCursor<TBtrTblListTable>(nullptr, nullptr, false, false, made->path()));
  const std::vector<std::string> names = tableNames(*list, false);
  EXPECT_EQ(names[2], "A-NAME-OF-TWENTY-FO");
}

}  // namespace
