// The abstract database: finding and counting open cursors by name, opening cursors of its own
// for an operation, index lists, in-memory tables, parameters and freeing what it owns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "recordmgr/BaseDatabase.h"
#include "recordmgr/BaseListTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/MemTable.h"
#include "recordmgr/tests/CountingCursor.h"
#include "recordmgr/tests/CursorSuite.h"

namespace cursortest {
namespace {

struct Opening {
  std::string name;
  uint16_t indexNumber;
  uint32_t openMode;
  uint32_t shareMode;
  std::string parameters;
  bool operator==(const Opening&) const = default;
};

// Whatever a test database's cursors did, kept when they are freed.
struct CursorLog {
  std::vector<std::string> freed;  // table names, in the order the cursors went
  std::vector<std::string> calls;  // of the freed cursors
};

class DatabaseCursor : public CountingCursor {
 public:
  DatabaseCursor(TBapiListItem* database, TKorvoCollection* list, const char* name, uint32_t shareMode,
                 uint32_t openMode, const char* parameters, CursorLog* log)
      : CountingCursor(database, list, name, 3, shareMode, openMode, parameters), log_(log) {}
  ~DatabaseCursor() override {
    log_->freed.push_back(GetTableName());
    log_->calls.insert(log_->calls.end(), Calls.begin(), Calls.end());
  }

 private:
  CursorLog* log_;
};

// Opens counting cursors on any table name (the full name is the name under "/data/"), and
// lists the tables it was told of.
class TestDatabase : public TBaseDatabase {
 public:
  TestDatabase(const char* const* values = nullptr, const char* const* names = nullptr, uint16_t count = 0)
      : TBaseDatabase(nullptr, values, names, count, "TESTDB", 1, 2, nullptr, nullptr) {}

  std::vector<Opening> Openings;
  std::vector<std::string> Tables;
  int IndexCount = 0;
  CursorLog Log;
  CursorLog* LogTo = &Log;  // where the cursors opened from now on report

  void OpenTable(const char* tableName, const char*, const char*, const char*, uint16_t indexNumber, uint32_t openMode,
                 uint32_t shareMode, uint32_t, bool, const char* parameters, TBaseTable*& cursor) override {
    Openings.push_back({tableName, indexNumber, openMode, shareMode, parameters ? parameters : ""});
    auto* opened = CreateCursor<DatabaseCursor>(this, CursorList(), tableName, shareMode, openMode, parameters, LogTo);
    opened->SetFullTableName((std::string("/data/") + tableName).c_str());
    for (int i = 0; i < IndexCount; ++i) opened->Indexes.push_back({"index", {static_cast<uint16_t>(i % 2 + 1)}});
    opened->Activate();
    cursor = opened;
  }
  void OpenTableList(bool, bool, TBaseTable*& cursor, const char*) override {
    std::vector<char> records(Tables.size() * 32, 0);
    for (size_t i = 0; i < Tables.size(); ++i) std::strcpy(&records[i * 32], Tables[i].c_str());
    cursor = CreateCursor<TBaseListTable>(this, 32, static_cast<uint16_t>(Tables.size()), records.data(),
                                          CursorList());
  }
  void OpenFieldList(const char*, const char*, bool, TBaseTable*&) override { RaiseEngineError(DBIERR_NA); }

  TBaseTable* open(const char* name, uint32_t shareMode = 0) {
    TBaseTable* cursor = nullptr;
    OpenTable(name, nullptr, nullptr, nullptr, 0, 0, shareMode, 0, false, nullptr, cursor);
    return cursor;
  }
};

TEST(BaseDatabaseTest, APathLikeNameIsFoundOnlyByFullName) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  TBaseTable* cases = database.open("cases.qf");
  TBaseTable* codes = database.open("CODES");
  TBaseTable* found = nullptr;
  struct Case {
    const char* name;
    TBaseTable* cursor;
  };
  for (const Case& c : {Case{"codes", codes}, Case{"/DATA/CASES.QF", cases}, Case{"/data/codes", codes},
                        Case{"cases.qf", nullptr}, Case{"cases", nullptr}}) {
    SCOPED_TRACE(c.name);
    if (c.cursor) {
      database.FindOpenCursor(c.name, found);
      EXPECT_EQ(found, c.cursor);
      continue;
    }
    try {
      database.FindOpenCursor(c.name, found);
      ADD_FAILURE() << "found";
    } catch (const EKorvoEngineError& error) {
      EXPECT_EQ(error.ErrorCode(), DBIERR_NOSUCHTABLE);
      EXPECT_EQ(error.ExtraText(), c.name);
      EXPECT_EQ(found, nullptr);
    }
  }
  EXPECT_EQ(EngineCodeOf([&] { database.FindOpenCursor(nullptr, found); }), DBIERR_INVALIDPARAM);
  database.FindOpenCursorByName("CODES;RES:LAYOUT;OWNER:X", found);
  EXPECT_EQ(found, codes);
}

TEST(BaseDatabaseTest, CursorsAreCountedByTheFirst31CharactersOfTheirNames) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  const std::string stem(31, 'T');
  database.open((stem + "1").c_str());
  database.open((stem + "2").c_str());
  database.open("other");
  uint32_t count = 0;
  database.CountOpenCursors((stem + "9").c_str(), count);
  EXPECT_EQ(count, 2u);
  database.CountOpenCursors("OTHER", count);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(EngineCodeOf([&] { database.CountOpenCursors("none", count); }), DBIERR_NOSUCHTABLE);
}

TEST(BaseDatabaseTest, ACloneOpensTheSameTableWithTheSameModes) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  TBaseTable* original = nullptr;
  database.OpenTable("cases", nullptr, nullptr, nullptr, 2, 1, 1, 0, false, "params", original);
  TBaseTable* clone = nullptr;
  original->CloneCursor(false, false, clone);
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone, original);
  ASSERT_EQ(database.Openings.size(), 2u);
  EXPECT_EQ(database.Openings[1], (Opening{"cases", 0, 1, 1, "params"}));
}

TEST(BaseDatabaseTest, EmptyingWithoutACursorUsesACursorOfItsOwn) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  TBaseTable* mine = database.open("cases");
  std::vector<uint8_t> record(RecordSize);
  mine->GetNextRecord(0, record.data(), nullptr);
  mine->GetNextRecord(0, record.data(), nullptr);

  database.EmptyTable(nullptr, "cases");
  EXPECT_EQ(database.Openings.back(), (Opening{"cases", 0xFFFF, 1, 0, ""}));
  EXPECT_EQ(database.Log.freed, std::vector<std::string>{"cases"});
  EXPECT_EQ(std::count(database.Log.calls.begin(), database.Log.calls.end(), "delete"), 3);
  EXPECT_EQ(database.CursorList()->Count(), 1);
  EXPECT_EQ(mine->State(), csOnRecord);
  EXPECT_EQ(static_cast<CountingCursor*>(mine)->Records.size(), 3u);
  EXPECT_EQ(static_cast<CountingCursor*>(mine)->Position, 1);
}

TEST(BaseDatabaseTest, AnIndexListDeliversEachDescriptorThenEndOfFile) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  database.IndexCount = 3;
  TBaseTable* list = nullptr;
  database.OpenIndexList("cases", nullptr, list);  // no cursor open: one of the database's own
  EXPECT_EQ(database.Log.freed, std::vector<std::string>{"cases"});
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(database.CursorList()->IndexOf(list), 0);
  IndexDescriptor descriptor;
  std::vector<uint16_t> firstKeyFields;
  for (int i = 0; i < 3; ++i) {
    list->GetNextRecord(0, &descriptor, nullptr);
    const uint16_t first = descriptor.KeyFields[0];
    firstKeyFields.push_back(first);
  }
  EXPECT_EQ(firstKeyFields, (std::vector<uint16_t>{1, 2, 1}));
  EXPECT_EQ(EngineCodeOf([&] { list->GetNextRecord(0, &descriptor, nullptr); }), DBIERR_EOF);

  database.open("codes");  // an open cursor is used as it is
  database.IndexCount = 0;
  const size_t openings = database.Openings.size();
  database.OpenIndexList("codes;RES:CODES", nullptr, list);
  EXPECT_EQ(database.Openings.size(), openings);
  EXPECT_EQ(list->GetRecordBufferSize(), sizeof(IndexDescriptor));

  EXPECT_EQ(EngineCodeOf([&] { database.OpenIndexList("names", nullptr, list); }), DBIERR_NOTINDEXED);
}

TEST(BaseDatabaseTest, TableExistsReadsTheTableList) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  database.Tables = {"CASES", "CODES"};
  bool found = false;
  database.TableExists("codes", found);
  EXPECT_TRUE(found);
  database.TableExists("clients", found);
  EXPECT_FALSE(found);
  EXPECT_EQ(database.CursorList()->Count(), 0);
}

TEST(BaseDatabaseTest, InMemoryTablesNeedFieldsAndAWorkableLayout) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  FieldDescriptor fields[2] = {};
  fields[0].FieldType = LogicalFieldType::Int32;
  fields[1].FieldType = LogicalFieldType::Text;
  fields[1].FieldUnits1 = 20;
  TBaseTable* table = nullptr;
  database.CreateInMemTable("MEMORY", 2, table, fields);
  ASSERT_NE(table, nullptr);
  EXPECT_NE(dynamic_cast<TMemTable*>(table), nullptr);
  EXPECT_EQ(table->GetRecordSize(), 25);
  EXPECT_EQ(database.CursorList()->IndexOf(table), 0);

  EXPECT_EQ(EngineCodeOf([&] { database.CreateInMemTable("NONE", 0, table, fields); }), DBIERR_INVALIDPARAM);
  fields[0].FieldLength = 40000;
  fields[1].FieldLength = 40000;
  EXPECT_EQ(EngineCodeOf([&] { database.CreateInMemTable("HUGE", 2, table, fields); }), DBIERR_INVALIDTABLECREATE);
  EXPECT_EQ(database.CursorList()->Count(), 1);
}

TEST(BaseDatabaseTest, TheUserNameParameterKeeps31Characters) {
  const std::string fortyCharacters(40, 'u');
  const char* names[] = {"Password", "user name"};
  const char* values[] = {"secret", fortyCharacters.c_str()};
  std::unique_ptr<TestDatabase> owner(new TestDatabase(values, names, 2));
  TestDatabase& database = *owner;
  EXPECT_EQ(std::string(database.UserName()), std::string(31, 'u'));
  EXPECT_EQ(database.Mode1(), 2u);  // the constructor hands the modes over the other way round
  EXPECT_EQ(database.Mode2(), 1u);
}

TEST(BaseDatabaseTest, PropertiesAndWhatTheBaseDoesNotOffer) {
  std::unique_ptr<TestDatabase> owner(new TestDatabase);  // engine objects go with delete
  TestDatabase& database = *owner;
  char buffer[16] = {};
  uint16_t length = 0;
  database.GetProperty(0, buffer, length, sizeof buffer);
  uint16_t version = 0;
  std::memcpy(&version, buffer, sizeof version);
  EXPECT_EQ(version, 27);
  EXPECT_EQ(length, 2);
  database.GetProperty(0x10002, buffer, length, 4);
  EXPECT_EQ(std::string(buffer), "STA");
  EXPECT_EQ(length, 9);
  EXPECT_EQ(EngineCodeOf([&] { database.GetProperty(1, buffer, length, sizeof buffer); }), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(EngineCodeOf([&] { database.CheckProperty(2, true); }), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(EngineCodeOf([&] { database.CheckProperty(2, false); }), 0);

  uint32_t transaction = 0;
  EXPECT_EQ(EngineCodeOf([&] { database.BeginTransaction(0, transaction); }), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(EngineCodeOf([&] { database.Reserved54(1, 2); }), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(EngineCodeOf([&] { database.Reserved60(); }), DBIERR_NA);
  database.SetTransactionValues(5, 6);
  TransactionInfo info;
  std::memset(&info, 0xFF, sizeof info);
  database.GetTransactionInfo(0, info);
  EXPECT_EQ(Unpacked(info.Transaction), 5u);
  EXPECT_EQ(Unpacked(info.State), 6u);
  EXPECT_EQ(Unpacked(info.Reserved), 0);

  database.SetDirectory("/data/office");
  database.GetDirectory(0, buffer);
  EXPECT_EQ(std::string(buffer, 12), "/data/office");
}

TEST(BaseDatabaseTest, FreeingTheDatabaseFreesEverythingOpenedInIt) {
  CursorLog outside;
  auto* database = new TestDatabase;
  database->LogTo = &outside;
  database->IndexCount = 2;
  database->open("cases");
  database->open("codes");
  TBaseTable* list = nullptr;
  database->OpenIndexList("cases", nullptr, list);
  FieldDescriptor field{};
  field.FieldType = LogicalFieldType::Int32;
  TBaseTable* memory = nullptr;
  database->CreateInMemTable("MEMORY", 1, memory, &field);
  TBaseTable* cache = nullptr;
  memory->BeginCachedUpdates(cache);
  EXPECT_EQ(database->CursorList()->Count(), 5);
  delete database;
  EXPECT_EQ(outside.freed, (std::vector<std::string>{"codes", "cases"}));
}

}  // namespace
}  // namespace cursortest
