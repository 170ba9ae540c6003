#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "platform/os/RegistryKey.h"
#include "platform/sqlif/tests/SqlInterfaceApi.h"
#include "recordmgr/BtrSqlAggTable.h"
#include "recordmgr/BtrSqlProcTable.h"
#include "recordmgr/CursorProperties.h"
#include "recordmgr/DatabaseDescription.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/LittleEndianBytes.h"
#include "recordmgr/ScalableSqlError.h"
#include "recordmgr/SqlInterface.h"
#include "recordmgr/tests/SqlDriverFixture.h"
#include "testing/TestDirs.h"

namespace {

using namespace sqldrivertest;
using qn::sqlif::testing::SqlInterfaceApi;

class SqlDriverTest : public SqlDriverFixture {
 protected:
  void SetUp() override { folder = makeSqlFolder("LAW"); }
  void TearDown() override {
    SqlDriverFixture::TearDown();
    api.reset("");
  }

  // What another process counts in CLIENTS.
  std::string othersCount() {
    const std::string command = "'" + qn::sqlif::testing::programFolder() + "/qn-sqlif-child' '" + folder +
                                "' \"SELECT COUNT(*) FROM CLIENTS\"";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
      ::pclose(pipe);
    }
    return out;
  }

  void execute(TBtrSqlDatabase& database, const char* text) {
    TSSQLSqlStmt* statement = nullptr;
    database.PrepareStatement(TBtrSqlDatabase::SqlLanguage, text, statement, 0);
    statement->Execute(nullptr);
    delete statement;
  }

  SqlInterfaceApi& api = SqlInterfaceApi::instance();
  std::string folder;
};

int statusOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EBtrieveEngineError& error) {
    return error.BtrieveStatus();
  }
  return 0;
}

TEST_F(SqlDriverTest, AFolderHoldingUserDdfOpensAsAnSqlDatabaseThatLogsInOnFirstNeed) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  ASSERT_NE(database, nullptr);
  EXPECT_STREQ(database->GetDriverType(), "SQL");
  EXPECT_EQ(database->User(), AnsiString("ADMIN"));
  EXPECT_FALSE(database->LoggedIn());
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS WHERE ID = 42");
  EXPECT_TRUE(database->LoggedIn());
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 1, row), 42);
}

TEST_F(SqlDriverTest, AFolderWithoutUserDdfStaysARecordManagerDatabase) {
  const std::string plain = qn::testing::makeScratchDir("plain");
  TBaseDatabase* database = openDatabase(*newSession(), plain);
  EXPECT_EQ(dynamic_cast<TBtrSqlDatabase*>(database), nullptr);
  EXPECT_STREQ(database->GetDriverType(), "BTRIEVE");
}

TEST_F(SqlDriverTest, AWrongPasswordFailsWithTheUserNameAsKeyText) {
  auto* database = static_cast<TBtrSqlDatabase*>(openDatabase(*newSession(), folder, "clerk", "wrong"));
  try {
    database->Open();
    FAIL() << "a wrong password logged in";
  } catch (const EScalableSQLEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), TBtrSqlDatabase::UnknownUser);
    EXPECT_EQ(error.KeyText(), AnsiString("clerk"));
  }
  EXPECT_FALSE(database->LoggedIn());
}

TEST_F(SqlDriverTest, AnInvalidOwnerNameAtLoginIsNoError) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  api.inject("_XQLLogin", TBtrSqlDatabase::OwnerNameInvalid);
  database->Open();
  EXPECT_TRUE(database->LoggedIn());
}

TEST_F(SqlDriverTest, AnyOtherLoginFailureNamesTheFolder) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  api.inject("_XQLLogin", 229);
  try {
    database->Open();
    FAIL() << "the failure passed";
  } catch (const EScalableSQLEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 229);
    EXPECT_EQ(error.KeyText(), AnsiString(database->Description().Path));
    EXPECT_NE(error.KeyText().find("LAW"), AnsiString::npos);
  }
}

TEST_F(SqlDriverTest, LoginParametersAndTheAliasKeyGiveUserAndPassword) {
  registerName("LAWREG", folder);
  qn::os::RegistryKey alias(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(alias.OpenKey("\\Software\\Korvo\\Btrieve\\Aliases\\@LAWREG", true));
  alias.WriteString("User", "clerk");
  alias.WriteString("Password", "pass word");
  TBaseDatabase* database = nullptr;
  newSession()->OpenDatabase("@LAWREG", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database);
  auto* sql = dynamic_cast<TBtrSqlDatabase*>(database);
  ASSERT_NE(sql, nullptr);
  EXPECT_EQ(sql->User(), AnsiString("clerk"));
  sql->Open();  // "pass word" from the alias key
  EXPECT_TRUE(sql->LoggedIn());

  // A parameter named "User" wins over the key; a given password over the key's.
  LoginParameters parameters{{"User", "ADMIN"}};
  TBaseDatabase* second = nullptr;
  newSession()->OpenDatabase("@LAWREG", nullptr, 0, 0, "secret", 1, parameters.descriptors.data(),
                             parameters.values.data(), second);
  EXPECT_EQ(static_cast<TBtrSqlDatabase*>(second)->User(), AnsiString("ADMIN"));
  static_cast<TBtrSqlDatabase*>(second)->Open();
}

TEST_F(SqlDriverTest, AConfiguredDatabaseTakesItsPathAndLoginFromItsConfiguration) {
  TBtrSqlSession* session = newSession();
  session->AddAlias("CONFSQL", "BTRIEVE", ("PATH:\"" + folder + "\";User:\"clerk\";Password:\"pass word\"").c_str(),
                    false);
  TBaseDatabase* database = nullptr;
  session->OpenDatabase("CONFSQL", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database);
  auto* sql = dynamic_cast<TBtrSqlDatabase*>(database);
  ASSERT_NE(sql, nullptr);
  EXPECT_EQ(sql->User(), AnsiString("clerk"));
  EXPECT_EQ(sql->Directory(), AnsiString(folder + "\\"));
  sql->Open();
  EXPECT_TRUE(sql->LoggedIn());
}

TEST_F(SqlDriverTest, AnAtNameOfTheRecordManagersTypeListsNoTables) {
  registerName("LAWAT", folder);
  TBtrSqlDatabase* database = openSqlDatabase("@LAWAT");
  ASSERT_NE(database, nullptr);
  EXPECT_STREQ(database->DatabaseName(), "@LAWAT");
  TBaseTable* list = nullptr;
  EXPECT_EQ(statusOf([&] { database->OpenTableList(false, false, list, nullptr); }), TBtrSqlDatabase::NoSystemTables);
  // Its statements run on the registered folder.
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT COUNT(*) FROM CLIENTS");
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 1, row), 100);
}

TEST_F(SqlDriverTest, CommittedRowsReachAnotherProcessAndRolledBackOnesNever) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  database->Open();
  uint32_t transaction = 0;
  database->BeginTransaction(0, transaction);
  EXPECT_TRUE(database->InSqlTransaction());
  execute(*database, "INSERT INTO CLIENTS (ID, NAME) VALUES (101, 'Rolled back')");
  database->EndTransaction(transaction, 2);
  EXPECT_FALSE(database->InSqlTransaction());
  EXPECT_EQ(othersCount(), "exec=0 first=100\n");

  database->BeginTransaction(0, transaction);
  execute(*database, "INSERT INTO CLIENTS (ID, NAME) VALUES (102, 'Committed')");
  database->EndTransaction(transaction, 0);
  EXPECT_EQ(othersCount(), "exec=0 first=101\n");
}

TEST_F(SqlDriverTest, ASecondBeginRaisesAnActiveTransaction) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  database->Open();
  uint32_t transaction = 0;
  database->BeginTransaction(0, transaction);
  try {
    database->BeginTransaction(0, transaction);
    FAIL() << "a second begin passed";
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), 0x2810);
  }
  database->EndTransaction(transaction, 2);
}

TEST_F(SqlDriverTest, WithoutALoginTransactionsAreTheRecordManagers) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  uint32_t transaction = 0;
  database->BeginTransaction(0, transaction);
  EXPECT_FALSE(database->InSqlTransaction());
  EXPECT_TRUE(database->InTransaction());
  database->EndTransaction(transaction, 2);
  EXPECT_FALSE(database->InTransaction());
}

TEST_F(SqlDriverTest, AWriteAskedForWithAResultHappensOnce) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  runQuery(*database, "INSERT INTO LEDGER (A, B, AMOUNT) VALUES ('four', 4, 40)");
  TBtrSqlBaseTable* count = runQuery(*database, "SELECT COUNT(*) FROM LEDGER");
  auto row = rowBuffer(*count);
  count->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*count, 1, row), 4);
}

TEST_F(SqlDriverTest, AnAllocatedStatementHasNoTextAndNoCursorYet) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TSSQLSqlStmt* statement = nullptr;
  database->AllocateStatement(statement);
  EXPECT_EQ(statement->Kind(), 0);
  EXPECT_EQ(statement->SentText(), nullptr);
  EXPECT_EQ(statement->CursorId(), TSSQLSqlStmt::NoCursor);
  EXPECT_EQ(database->Statements()->IndexOf(statement), 0);
}

TEST_F(SqlDriverTest, OnlyLanguageTwoIsPrepared) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TSSQLSqlStmt* statement = nullptr;
  try {
    database->PrepareStatement(1, "SELECT ID FROM CLIENTS", statement, 0);
    FAIL() << "another language was prepared";
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_NOTSUPPORTED);
  }
  EXPECT_EQ(statement, nullptr);
}

TEST_F(SqlDriverTest, UnresolvedVariablesLeaveTheStatementPreparedForItsParameters) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TSSQLSqlStmt* statement = nullptr;
  database->PrepareStatement(2, "SELECT NAME FROM CLIENTS WHERE ID = ? OR ID = :LAST", statement, 0);
  EXPECT_NE(statement->CursorId(), TSSQLSqlStmt::NoCursor);
  EXPECT_STREQ(statement->SentText(), "SELECT NAME FROM CLIENTS WHERE ID = @QVAR0000 OR ID = @LAST");

  FieldDescriptor parameter{};
  parameter.FieldType = LogicalFieldType::Int32;
  parameter.FieldLength = 4;
  const int32_t id = 7;
  statement->Bind(1, &parameter, &id);
  EXPECT_EQ(SqlCalls().Subst(statement->CursorId(), 1, 5, "LAST", 2, "9"), 0);
  TBaseTable* result = nullptr;
  statement->Execute(&result);
  results.push_back(result);
  uint32_t count = 0;
  result->GetExactRecordCount(count);
  EXPECT_EQ(count, 2u);
}

TEST_F(SqlDriverTest, TheTextIsSentWithoutCharacterConversionAndCompileFailuresRaise) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TSSQLSqlStmt* statement = nullptr;
  database->PrepareStatement(2, "SELECT ID FROM CLIENTS WHERE NAME = '\xE9t\xE9'", statement, 0);
  EXPECT_STREQ(statement->SentText(), "SELECT ID FROM CLIENTS WHERE NAME = '\xE9t\xE9'");
  EXPECT_EQ(statement->Text(), nullptr);
  statement->Release();
  EXPECT_EQ(statement->CursorId(), TSSQLSqlStmt::NoCursor);

  // An existing statement takes a new text; preparing it again compiles that text.
  database->PrepareStatement(2, "SELECT ID FROM CLIENTS WHERE", statement, 0);
  EXPECT_STREQ(statement->SentText(), "SELECT ID FROM CLIENTS WHERE");
  EXPECT_EQ(statusOf([&] { statement->Prepare(); }), 220);
  EXPECT_EQ(statusOf([&] { database->PrepareStatement(2, "DROP TABLE CLIENTS", statement = nullptr, 0); }), 221);
}

TEST_F(SqlDriverTest, ProcedureCallsExecuteTheStoredText) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TSSQLSqlStmt* statement = nullptr;
  database->PrepareProcedureCall("LEDGERROWS", statement);
  EXPECT_EQ(statement->Kind(), 1);
  EXPECT_STREQ(statement->SentText(), "EXEC LEDGERROWS");
  TBaseTable* result = nullptr;
  statement->Execute(&result);
  results.push_back(result);
  uint32_t count = 0;
  result->GetExactRecordCount(count);
  EXPECT_EQ(count, 3u);
}

TEST_F(SqlDriverTest, ThreeColumnsAreThreeFieldsAndAFourthIsNoColumn) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID, NAME, AMOUNT FROM CLIENTS");
  CursorProperties properties;
  result->GetCursorProps(properties);
  const auto fieldCount = properties.FieldCount;  // EXPECT_EQ binds a reference; the struct is packed
  EXPECT_EQ(fieldCount, 3);
  uint16_t size = 0, type = 0;
  FieldDescriptor descriptor{};
  EXPECT_EQ(statusOf([&] { result->DescribeField(4, 0, size, type, descriptor); }), TBtrSqlBaseTable::NoSuchColumn);
}

TEST_F(SqlDriverTest, ColumnsLieAfterTheSizesBeforeThemAndTheRowKeepsFourSpareBytes) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT A, B FROM LEDGER");
  CursorProperties properties;
  result->GetCursorProps(properties);
  EXPECT_EQ(result->FieldCache()->GetFieldItem(1)->Descriptor().Offset, 2);
  EXPECT_EQ(result->FieldCache()->GetFieldItem(2)->Descriptor().Offset, 12);
  const auto recordSize = properties.RecordSize;  // EXPECT_EQ binds a reference; the struct is packed
  EXPECT_EQ(recordSize, 2 + 10 + 4 + 4);
  EXPECT_EQ(properties.RecordBufferSize, 2 + 10 + 4 + 4);
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 2, row), 2);
}

struct ComputedCase {
  const char* query;
  uint16_t type;
  uint16_t size;
};

class ComputedColumnTest : public SqlDriverTest, public ::testing::WithParamInterface<ComputedCase> {};

TEST_P(ComputedColumnTest, TakesTheTypeItsNameComputes) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, GetParam().query);
  uint16_t size = 99, type = 99;
  FieldDescriptor descriptor{};
  result->DescribeField(1, 0, size, type, descriptor);
  EXPECT_EQ(type, GetParam().type);
  EXPECT_EQ(size, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Columns, ComputedColumnTest,
                         ::testing::Values(ComputedCase{"SELECT count(*) FROM CLIENTS", 1, 4},
                                           ComputedCase{"SELECT Count(ID) FROM CLIENTS", 1, 4},
                                           ComputedCase{"SELECT SUM(AMOUNT) FROM LEDGER", 2, 8},
                                           ComputedCase{"SELECT AVG(AMOUNT) FROM LEDGER", 2, 8},
                                           ComputedCase{"SELECT AVG(AMOUNT) FROM CLIENTS", 2, 8},
                                           ComputedCase{"SELECT SUM(AMOUNT) FROM CLIENTS", 2, 8},
                                           ComputedCase{"SELECT MAX(B) FROM LEDGER", 0, 255}));

TEST_F(SqlDriverTest, ComputedValuesReadAsTheirTypes) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT COUNT(*) FROM CLIENTS");
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 1, row), 100);

  TBtrSqlBaseTable* sum = runQuery(*database, "SELECT SUM(AMOUNT) FROM LEDGER");
  auto sumRow = rowBuffer(*sum);
  sum->GetNextRecord(0, sumRow.data(), nullptr);
  double total = 0;
  bool blank = true;
  sum->GetField(1, sumRow.data(), blank, &total);
  EXPECT_DOUBLE_EQ(total, 60.0);
}

TEST_F(SqlDriverTest, ACaretInAColumnNameBecomesAnUnderscore) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID AS \"A^B\" FROM CLIENTS");
  uint16_t size = 0, type = 0;
  FieldDescriptor descriptor{};
  result->DescribeField(1, 0, size, type, descriptor);
  EXPECT_STREQ(descriptor.FieldName, "A_B");
}

TEST_F(SqlDriverTest, TheLastRowDeliveredWithNoMoreRowsIsReadAndTheNextMoveIsEndOfFile) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS WHERE ID <= 2 ORDER BY ID");
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  api.inject("_XQLFetch", TBtrSqlBaseTable::NoMoreRows);  // a row delivered (count stays 1) with -109
  EXPECT_NO_THROW(result->MoveNext());
  result->MoveNext();  // the second row
  EXPECT_EQ(integerField(*result, 1, row), 2);
  try {
    result->MoveNext();
    FAIL() << "a move past the last row passed";
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_EOF);
  }
}

TEST_F(SqlDriverTest, MovingBeforeTheFirstRowIsBeginningOfFile) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS ORDER BY ID");
  auto row = rowBuffer(*result);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_THROW(result->MovePrior(), EKorvoBOFError);
  // The interface answering 9 reads the same.
  api.inject("_XQLFetch", 9);
  EXPECT_THROW(result->MovePrior(), EKorvoBOFError);
}

TEST_F(SqlDriverTest, BookmarksArePositionBlocksOfTheInterface) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS ORDER BY ID");
  EXPECT_EQ(result->GetBookmarkSize(), 100);
  auto row = rowBuffer(*result);
  for (int i = 0; i < 5; ++i) result->GetNextRecord(0, row.data(), nullptr);
  uint8_t bookmark[100];
  result->GetBookmark(bookmark);
  for (int i = 0; i < 3; ++i) result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 1, row), 8);

  std::vector<uint8_t> other(row.size());
  result->ReadAtBookmark(bookmark, 0, other.data());
  EXPECT_EQ(integerField(*result, 1, other), 5);
  result->SetToBookmark(bookmark);
  EXPECT_EQ(result->State(), csOnRecord);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 1, row), 6);
  EXPECT_THROW(result->GetBookmark(nullptr), EKorvoEngineError);
}

TEST_F(SqlDriverTest, AnAggregateBookmarkIsTheRowNumberFoundAgainFromTheFirstRow) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  auto* result = dynamic_cast<TBtrSqlAggTable*>(runQuery(*database, "SELECT ID FROM CLIENTS ORDER BY ID", true));
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->GetBookmarkSize(), 4);
  auto row = rowBuffer(*result);
  for (int i = 0; i < 7; ++i) result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(result->RecordPosition(), 7);
  const int32_t three = 3;
  result->SetToBookmark(&three);
  EXPECT_EQ(result->RecordPosition(), 3);
  result->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*result, 1, row), 4);
  result->ReadAtBookmark(&three, 0, row.data());
  EXPECT_EQ(integerField(*result, 1, row), 3);

  result->MoveLast();
  int32_t last = 0;
  result->GetBookmark(&last);
  EXPECT_EQ(last, TBtrSqlAggTable::LastRow);
  try {
    result->SetToBookmark(&last);
    FAIL() << "the seek of the last row's bookmark ended";
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_EOF);
  }
}

TEST_F(SqlDriverTest, RowsAreInsertedUpdatedAndRemovedThroughTheResult) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID, CLIENT_ID, TITLE, NOTES FROM MATTERS");
  auto row = rowBuffer(*result);
  TFieldCacheItem* notes = result->FieldCache()->GetFieldItem(4);
  EXPECT_TRUE(result->HasVariableTail());
  const int32_t id = 9;
  result->PutField(1, row.data(), &id);
  result->InsertRecord(0, row.data());

  const char text[] = "\x05hello";
  result->PutField(4, row.data(), text);
  EXPECT_EQ(ReadU16(row.data()), notes->Descriptor().Offset + 6);
  result->ModifyRecord(row.data(), false);

  TBtrSqlBaseTable* check = runQuery(*database, "SELECT COUNT(*) FROM MATTERS WHERE ID = 9 AND NOTES = 'hello'");
  auto checked = rowBuffer(*check);
  check->GetNextRecord(0, checked.data(), nullptr);
  EXPECT_EQ(integerField(*check, 1, checked), 1);

  result->DeleteRecord(row.data());
  EXPECT_EQ(result->State(), csBetween);
  TBtrSqlBaseTable* gone = runQuery(*database, "SELECT COUNT(*) FROM MATTERS WHERE ID = 9");
  auto goneRow = rowBuffer(*gone);
  gone->GetNextRecord(0, goneRow.data(), nullptr);
  EXPECT_EQ(integerField(*gone, 1, goneRow), 0);
}

TEST_F(SqlDriverTest, PropertiesKeepTheCallersByteAndShowTheCursor) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS");
  result->SetProperty(0, 0x1A7);
  uint8_t value = 0;
  uint16_t length = 9;
  result->GetProperty(0, &value, length, sizeof value);
  EXPECT_EQ(value, 0xA7);
  EXPECT_EQ(length, 1);
  int16_t cursor = -5;
  result->GetProperty(0x30001, &cursor, length, sizeof cursor);
  EXPECT_EQ(cursor, result->CursorId());
  EXPECT_EQ(length, 2);
  EXPECT_THROW(result->CheckProperty(1, true), EKorvoEngineError);
  EXPECT_NO_THROW(result->CheckProperty(1, false));
}

TEST_F(SqlDriverTest, BlocksAreReadAndWrittenInOneCall) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT A, B FROM LEDGER ORDER BY B");
  const uint16_t size = result->GetRecordSize();
  std::vector<uint8_t> block(size * 5u);
  uint32_t count = 2;
  result->ReadBlock(count, block.data());
  EXPECT_EQ(count, 2u);
  int32_t second = 0;
  std::memcpy(&second, block.data() + size + 12, 4);
  EXPECT_EQ(second, 2);
  count = 5;
  EXPECT_THROW(result->ReadBlock(count, block.data()), EKorvoEngineError);
  EXPECT_EQ(count, 1u);
}

TEST_F(SqlDriverTest, ABlockOfRowsIsInsertedInOneCall) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT A, B FROM LEDGER");
  const uint16_t size = result->GetRecordSize();
  std::vector<uint8_t> block(size * 2u, 0);
  for (int i = 0; i < 2; ++i) {
    const int32_t b = 50 + i;
    result->PutField(1, block.data() + i * size, "new");
    result->PutField(2, block.data() + i * size, &b);
    WriteU16(block.data() + i * size, size);
  }
  uint32_t count = 2;
  result->WriteBlock(count, block.data());
  EXPECT_EQ(count, 2u);
  TBtrSqlBaseTable* check = runQuery(*database, "SELECT COUNT(*) FROM LEDGER WHERE A = 'new' AND B >= 50");
  auto row = rowBuffer(*check);
  check->GetNextRecord(0, row.data(), nullptr);
  EXPECT_EQ(integerField(*check, 1, row), 2);
}

TEST_F(SqlDriverTest, TheProcedureListDeliversEachNameThenEndOfFile) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBaseTable* list = nullptr;
  database->OpenProcedureList(list);
  std::vector<std::string> names;
  char entry[TBtrSqlProcTable::EntrySize];
  try {
    for (;;) {
      std::memset(entry, 'x', sizeof entry);
      list->GetRecord(0, entry, nullptr);
      names.emplace_back(entry);
    }
  } catch (const EKorvoEOFError&) {
  }
  EXPECT_EQ(names, (std::vector<std::string>{"BIGCLIENTS", "LEDGERROWS"}));
}

class DatabaseListTest : public SqlDriverTest {
 protected:
  // Only this test's aliases and SQL names are listed.
  void SetUp() override {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    registry.DeleteKey("\\Software\\Korvo\\Btrieve\\Aliases");
    registry.DeleteKey("\\Software\\Korvo\\SqlInterface\\Databases");
    SqlDriverTest::SetUp();
  }

  // Every description the session's list delivers until end of file.
  std::vector<DatabaseDescription> listAll(TBtrSqlSession& session) {
    TBaseTable* list = nullptr;
    session.OpenAliasList(list);
    std::vector<DatabaseDescription> all;
    try {
      for (;;) {
        DatabaseDescription description{};
        list->GetNextRecord(0, &description, nullptr);
        all.push_back(description);
      }
    } catch (const EKorvoEOFError&) {
    }
    session.CloseList(list);
    return all;
  }

  void configureOne() {
    qn::os::RegistryKey alias(qn::os::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(alias.OpenKey("\\Software\\Korvo\\Btrieve\\Aliases\\CASES", true));
    alias.WriteString("PhysicalName", "/data/cases");
    registerName("LOCALONE", folder);
    registerName("LOCALTWO", folder);
    registerName("FARAWAY", folder, true);
  }
};

TEST_F(DatabaseListTest, ConfiguredThenLocalThenRemoteDatabases) {
  configureOne();
  const auto all = listAll(*newSession());
  ASSERT_EQ(all.size(), 4u);
  EXPECT_STREQ(all[0].Name, "CASES");
  const char* expected[][2] = {{"@LOCALONE", "LOCAL"}, {"@LOCALTWO", "LOCAL"}, {"@FARAWAY", "REMOTE"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(all[i + 1].Name, expected[i][0]);
    EXPECT_STREQ(all[i + 1].Description, expected[i][1]);
    EXPECT_STREQ(all[i + 1].Path, expected[i][0]);
    EXPECT_STREQ(all[i + 1].DriverType, "BTRIEVE");
  }
}

TEST_F(DatabaseListTest, AFailingRemoteCountLeavesTheOthers) {
  configureOne();
  api.injectNames("SQLGetCountRemoteDatabaseNames", 228);
  const auto all = listAll(*newSession());
  ASSERT_EQ(all.size(), 3u);
  EXPECT_STREQ(all[2].Name, "@LOCALTWO");
}

TEST_F(DatabaseListTest, AFailingNameEndsItsGroup) {
  configureOne();
  api.injectNames("SQLGetDatabaseNames", 228);
  const auto all = listAll(*newSession());
  ASSERT_EQ(all.size(), 2u);
  EXPECT_STREQ(all[1].Name, "@FARAWAY");
}

}  // namespace
