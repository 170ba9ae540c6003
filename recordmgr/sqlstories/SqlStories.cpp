// Stories of the SQL driver that need the process to meet a particular SQL interface: the
// recording copy (QN_SQL_CALL_LOG names its log), a copy lacking two names, or none at all. The
// interface is loaded once per process, so each story runs in a child process started from a
// copy of this program in a folder holding just that library beside the record manager's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/base/StringList.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/BtrSqlAggTable.h"
#include "recordmgr/DBListTable.h"
#include "recordmgr/FrameworkQuery.h"
#include "recordmgr/ScalableSqlError.h"
#include "recordmgr/SqlInterface.h"
#include "recordmgr/tests/SqlDriverFixture.h"
#include "recordmgr/tests/SqlLoginName.h"
#include "testing/TestDirs.h"

namespace {

using namespace sqldrivertest;
using qn::ui::testing::ScriptedMessageBoxes;

class RecordedStory : public SqlDriverFixture {
 protected:
  void SetUp() override { folder = makeSqlFolder("LAW"); }

  // The log from the mark on.
  std::string calls() {
    std::ifstream in(std::getenv("QN_SQL_CALL_LOG"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str().substr(mark);
  }
  void markLog() { mark = calls().size() + mark; }

  std::string folder;
  size_t mark = 0;
};

TEST_F(RecordedStory, UnnamedParametersAreSubstitutedByPositionAsText) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TSSQLSqlStmt* statement = nullptr;
  database->PrepareStatement(2, "SELECT ID FROM CLIENTS WHERE ID = ? OR NAME = ? OR ID = ?", statement, 0);
  FieldDescriptor parameters[3] = {};
  const int32_t values[3] = {5, 6, 7};
  for (int i = 0; i < 3; ++i) {
    parameters[i].FieldType = LogicalFieldType::Int32;
    parameters[i].FieldLength = 4;
    parameters[i].Offset = static_cast<uint16_t>(4 * i);
  }
  markLog();
  statement->Bind(3, parameters, values);
  const std::string cursor = std::to_string(statement->CursorId());
  EXPECT_EQ(calls(), "XQLSubst " + cursor + " 9 QVAR0000 2 5\n" + "XQLSubst " + cursor + " 9 QVAR0001 2 6\n" +
                         "XQLSubst " + cursor + " 9 QVAR0002 2 7\n");

  std::strcpy(parameters[1].FieldName, "NAME");
  markLog();
  statement->Bind(3, parameters, values);
  EXPECT_EQ(calls(), "XQLSubst " + cursor + " 9 QVAR0000 2 5\n" + "XQLSubst " + cursor + " 9 QVAR0002 2 7\n");
}

TEST_F(RecordedStory, AnAtNamePassesItselfAsDictionaryPathWithNoDataPath) {
  registerName("LAWAT", folder);
  TBtrSqlDatabase* database = openSqlDatabase("@LAWAT");
  markLog();
  database->Open();
  EXPECT_EQ(calls(), "_XQLLogin user=ADMIN password=secret dictionary=@LAWAT data=\n");
}

TEST_F(RecordedStory, AFolderIsDictionaryAndDataPath) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  markLog();
  database->Open();
  const std::string path = database->Description().Path;
  EXPECT_EQ(calls(), "_XQLLogin user=ADMIN password=secret dictionary=" + path + " data=" + path + "\n");
}

TEST_F(RecordedStory, TransactionsRunAsStatementsOfTheirOwn) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  database->Open();
  markLog();
  uint32_t transaction = 0;
  database->BeginTransaction(0, transaction);
  database->EndTransaction(transaction, 2);
  const std::string log = calls();
  EXPECT_NE(log.find(" START TRANSACTION\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" ROLLBACK WORK\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("COMMIT"), std::string::npos) << log;
  // Each ran once, without a result, and its cursor was freed.
  size_t execs = 0, frees = 0;
  for (size_t at = 0; (at = log.find("XQLExec", at)) != std::string::npos; ++at) ++execs;
  for (size_t at = 0; (at = log.find("_XQLFree", at)) != std::string::npos; ++at) ++frees;
  EXPECT_EQ(execs, 2u);
  EXPECT_EQ(frees, 2u);
}

TEST_F(RecordedStory, AnInsertWithoutALengthEndsTheRowWhereItsMemoStarts) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID, CLIENT_ID, TITLE, NOTES FROM MATTERS");
  auto row = rowBuffer(*result);
  const uint16_t memoAt = result->FieldCache()->GetFieldItem(4)->Descriptor().Offset;
  const int32_t id = 9;
  result->PutField(1, row.data(), &id);
  markLog();
  result->InsertRecord(0, row.data());
  const std::string log = calls();
  EXPECT_EQ(log.substr(0, log.find('\n')),
            "xInsert " + std::to_string(result->CursorId()) + " *.* count=1 length=" + std::to_string(memoAt));
  EXPECT_NE(log.find("_XQLFetch " + std::to_string(result->CursorId()) + " 0\n"), std::string::npos) << log;
}

TEST_F(RecordedStory, AnAggregateSeekReadsFromTheFirstRowToTheBookmark) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS ORDER BY ID", true);
  const std::string cursor = std::to_string(result->CursorId());
  result->GetRecordSize();  // the columns described before the seek
  const int32_t three = 3;
  markLog();
  result->SetToBookmark(&three);
  EXPECT_EQ(calls(), "_XQLFetch " + cursor + " 1\n_XQLFetch " + cursor + " 2\n_XQLFetch " + cursor + " 2\n");
}

// As the record-manager cursor re-reads its record locked before an edit, so does the SQL
// cursor: its position fetch carries the lock option.
TEST_F(RecordedStory, AnEditThroughAQueryFetchesTheCurrentRowWithTheLockOption) {
  TQuery query(nullptr);
  query.SetDatabaseName(makeLoginDatabase("EDITLOCK"));
  query.SQL()->Add("SELECT ID, NAME FROM CLIENTS WHERE ID < 4 ORDER BY ID");
  query.Open();
  query.Next();
  auto* cursor = dynamic_cast<TBtrSqlBaseTable*>(query.Handle());
  ASSERT_NE(cursor, nullptr);
  const std::string id = std::to_string(cursor->CursorId());
  markLog();
  query.Edit();
  const std::string log = calls();
  // Positioning may come first; the row the edit starts from is the one fetched under the lock.
  const size_t lastFetch = log.rfind("xFetch " + id + " ");
  ASSERT_NE(lastFetch, std::string::npos) << log;
  EXPECT_EQ(log.substr(lastFetch), "xFetch " + id + " 1280\n") << log;
  query.FieldByName("NAME")->SetAsString("Edited under a lock");
  query.Post();
  EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 2);
  EXPECT_EQ(query.FieldByName("NAME")->AsString(), "Edited under a lock");
}

TEST_F(RecordedStory, AStatementWithAResultRunsOnceWhenItsResultIsActivated) {
  TBtrSqlDatabase* database = openSqlDatabase(folder);
  database->Open();
  markLog();
  TBtrSqlBaseTable* result = runQuery(*database, "SELECT ID FROM CLIENTS");
  const std::string cursor = std::to_string(result->CursorId());
  const std::string log = calls();
  EXPECT_EQ(log.substr(log.find("XQLExec")), "XQLExec " + cursor + "\n");
  // Without a result the statement runs as it is executed.
  TSSQLSqlStmt* statement = nullptr;
  database->PrepareStatement(2, "UPDATE CLIENTS SET NAME = 'x' WHERE ID = 1", statement, 0);
  markLog();
  statement->Execute(nullptr);
  EXPECT_EQ(calls(), "XQLExec " + std::to_string(statement->CursorId()) + "\n");
}

TEST_F(RecordedStory, TheInterfaceIsAskedItsVersionOnceUntilTheLastSqlSessionEnds) {
  auto count = [&](const std::string& what) {
    const std::string log = calls();
    size_t n = 0;
    for (size_t at = 0; (at = log.find(what, at)) != std::string::npos; ++at) ++n;
    return n;
  };
  markLog();
  TBtrSqlSession* session = newSession();
  TBaseTable* list = nullptr;
  session->OpenAliasList(list);
  session->CloseList(list);
  session->OpenAliasList(list);
  session->CloseList(list);
  EXPECT_EQ(count("XQLVersion\n"), 1u);
  EXPECT_EQ(count("xReset\n"), 1u);
  EXPECT_EQ(calls().rfind("XQLVersion\nxReset\n", 0), 0u) << calls();
  sessions.FreeAll();
  // A later session asks again.
  session = newSession();
  session->OpenAliasList(list);
  session->CloseList(list);
  EXPECT_EQ(count("XQLVersion\n"), 2u);
  EXPECT_EQ(count("xReset\n"), 2u);
}

// No interface beside the program.
TEST(AbsentInterfaceStory, AnswersNotLoadedQuietlyAndPlainDatabasesStillOpen) {
  ScriptedMessageBoxes boxes;  // any box fails the story
  EXPECT_EQ(LoadSqlInterface(), 200);
  EXPECT_FALSE(SqlInterfaceUsable());
  EXPECT_EQ(LoadSqlInterface(), 200);

  TKorvoCollection sessions;
  auto* session = static_cast<TBtrSqlSession*>(CreateSession<TBtrSqlSession>(nullptr, nullptr, nullptr, &sessions));
  const std::string plain = qn::testing::makeScratchDir("plain");
  TBaseDatabase* database = nullptr;
  session->OpenDatabase(plain.c_str(), nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database);
  EXPECT_STREQ(database->GetDriverType(), "BTRIEVE");
  // The database list is the plain session's.
  TBaseTable* list = nullptr;
  session->OpenAliasList(list);
  EXPECT_NE(dynamic_cast<TRegDBListTable*>(list), nullptr);
  session->CloseList(list);

  // An SQL database cannot log in without its interface.
  const std::string folder = makeSqlFolder("LAW");
  TBaseDatabase* sql = nullptr;
  session->OpenDatabase(folder.c_str(), nullptr, 0, 0, "secret", 0, nullptr, nullptr, sql);
  try {
    static_cast<TBtrSqlDatabase*>(sql)->Open();
    FAIL() << "logged in without an interface";
  } catch (const EScalableSQLEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 2103);
    EXPECT_EQ(error.GetErrorText(), AnsiString("Btrieve Status 2103 - Scalable SQL is not active on the requested server."));
  }
}

// An interface lacking XQLFormat and xOrder.
TEST(LackingInterfaceStory, NamesTheFirstMissingFunctionOnceAndResolvesTheRest) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Error Loading Dynamic Function XQLFormat from WSSQL32.DLL");
  EXPECT_EQ(LoadSqlInterface(), 0);
  EXPECT_EQ(LoadSqlInterface(), 0);  // loaded once: no second message
  EXPECT_TRUE(SqlInterfaceUsable());
  EXPECT_NE(SqlCalls().Login, nullptr);
  EXPECT_NE(SqlCalls().Remove, nullptr);
  EXPECT_TRUE(SqlNamesAvailable());
}

}  // namespace
