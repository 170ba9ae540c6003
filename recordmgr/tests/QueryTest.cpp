// The framework's query and stored-procedure components on an SQL database of the process's
// sessions: rows read through the statement's cursor, the statement released on close, and the
// engine's refusal of a language it does not run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/base/ClassRegistry.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/db/Field.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/FrameworkQuery.h"
#include "recordmgr/FrameworkStoredProc.h"
#include "recordmgr/QueryLanguage.h"
#include "recordmgr/StatementCursor.h"
#include "recordmgr/tests/SqlLoginName.h"

namespace {

std::vector<std::string> column(TDataSet& dataSet, const char* field) {
  std::vector<std::string> values;
  for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) values.push_back(dataSet.FieldByName(field)->AsString());
  return values;
}

class QueryTest : public ::testing::Test {
 protected:
  std::string database = sqldrivertest::makeLoginDatabase("QUERYDB");
};

TEST_F(QueryTest, TheStatementsRowsAreReadInOrderAndAgainAfterReopening) {
  TQuery query(nullptr);
  query.SetDatabaseName(database);
  query.SQL()->Add("SELECT A, B FROM LEDGER");
  query.SQL()->Add("ORDER BY B");
  EXPECT_EQ(query.StatementText(), "SELECT A, B FROM LEDGER ORDER BY B");
  query.Open();
  EXPECT_EQ(column(query, "A"), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(query.FieldByName("B")->AsInteger(), 3);
  query.Close();
  query.Open();
  EXPECT_EQ(column(query, "B"), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(QueryTest, ItIsMadeByClassNameAndItsStatementIsWrittenByName) {
  TComponent form(nullptr);
  TComponent* made = CreateComponentByClassName("TQuery", &form);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->InheritsFrom("TDBDataSet"));
  StringList lines;
  lines.Add("SELECT ID FROM CLIENTS WHERE ID < 4");
  ASSERT_TRUE(WriteStringListProperty(made, "SQL", &lines));
  ASSERT_TRUE(WriteStringProperty(made, "DatabaseName", database));
  auto& query = static_cast<TQuery&>(*made);
  query.Open();
  EXPECT_EQ(column(query, "ID"), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(QueryTest, WithoutLinesOrWithABadStatementNothingOpens) {
  TQuery query(nullptr);
  query.SetDatabaseName(database);
  EXPECT_THROW(query.Open(), EDatabaseError);
  query.SQL()->Add("SELECT NOSUCH FROM LEDGER");
  EXPECT_THROW(query.Open(), EDatabaseError);
  EXPECT_FALSE(query.Active());
  query.SQL()->Clear();
  query.SQL()->Add("SELECT A FROM LEDGER");
  query.Open();
  EXPECT_EQ(column(query, "A").size(), 3u);
}

TEST_F(QueryTest, ExecSQLChangesRowsAnotherQueryThenReads) {
  TQuery change(nullptr);
  change.SetDatabaseName(database);
  change.SQL()->Add("UPDATE LEDGER SET B = 7 WHERE A = 'two'");
  change.ExecSQL();
  TQuery read(nullptr);
  read.SetDatabaseName(database);
  read.SQL()->Add("SELECT B FROM LEDGER WHERE A = 'two'");
  read.Open();
  EXPECT_EQ(column(read, "B"), (std::vector<std::string>{"7"}));
}

TEST_F(QueryTest, AStoredProcedureAnswersItsRows) {
  TStoredProc procedure(nullptr);
  procedure.SetDatabaseName(database);
  EXPECT_THROW(procedure.Open(), EDatabaseError);
  procedure.SetStoredProcName("LEDGERROWS");
  procedure.Open();
  EXPECT_EQ(column(procedure, "A"), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(QueryTest, QueryByExampleIsRefusedAsNotSupported) {
  TQuery query(nullptr);
  query.SetDatabaseName(database);
  query.SetDBFlag(4, true);
  TSqlStmt* statement = nullptr;
  try {
    RunStatementCursor(query, qlQBE, "LEDGER | A |", statement);
    FAIL() << "query by example ran";
  } catch (const ETDBEngineError& error) {
    ASSERT_GT(error.ErrorCount(), 0);
    EXPECT_EQ(error.Errors(0).ErrorCode, DBIERR_NOTSUPPORTED);
    EXPECT_NE(error.Message().find("Query by example is not offered"), AnsiString::npos) << error.Message();
  }
  EXPECT_EQ(statement, nullptr);
  query.SetDBFlag(4, false);
}

}  // namespace
