// The library's query datasets on an SQL database made with qnsqlif: the extended query and
// stored procedure read their rows, the extended table opens its Query lines as SQL, and query by
// example is refused with a clear text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcQBE.h"
#include "datagrid/DcQuery.h"
#include "datagrid/DcStoredProc.h"
#include "datagrid/DcTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/tests/SqlLoginName.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

std::vector<std::string> column(TDataSet& dataSet, const char* field) {
  std::vector<std::string> values;
  for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) values.push_back(dataSet.FieldByName(field)->AsString());
  return values;
}

void setLines(TStrings& list, std::initializer_list<const char*> lines) {
  list.Clear();
  for (const char* line : lines) list.Add(line);
}

class DcQueryTest : public ::testing::Test {
 protected:
  std::string database = sqldrivertest::makeLoginDatabase("DCQUERYDB");
};

TEST_F(DcQueryTest, TheExtendedQueryReadsItsRowsAndFiltersThem) {
  TdcQuery query(nullptr);
  query.SetDatabaseName(database);
  setLines(*query.SQL(), {"SELECT A, B, AMOUNT FROM LEDGER"});
  query.Open();
  EXPECT_EQ(column(query, "A"), (std::vector<std::string>{"one", "two", "three"}));
  query.Extension().SetOnFilter([](TDataSet* d, bool& accept) { accept = d->FieldByName("B")->AsInteger() != 2; });
  EXPECT_EQ(column(query, "A"), (std::vector<std::string>{"one", "three"}));
  EXPECT_FALSE(query.IsSequenced());
}

TEST_F(DcQueryTest, TheExtendedQueryChecksPictureMasksBeforeAPost) {
  TdcQuery query(nullptr);
  query.SetDatabaseName(database);
  setLines(*query.SQL(), {"SELECT A, B FROM LEDGER"});
  setLines(query.Extension().PictureMasks, {"A\t###\tF\tF"});
  std::vector<std::string> invalid;
  query.Extension().OnInvalidValue = [&](TDataSet*, TField* field) { invalid.push_back(field->FieldName()); };
  query.Open();
  ASSERT_TRUE(query.CanModify());
  query.Edit();
  query.FieldByName("A")->SetAsString("12a");
  try {
    query.Post();
    FAIL() << "a text that does not fill its mask was posted";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Invalid characters. Field : A");
  }
  EXPECT_EQ(invalid, std::vector<std::string>{"A"});
  EXPECT_EQ(query.State(), dsEdit);
  query.Extension().ValidateWithMask = false;
  query.Post();
  EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(DcQueryTest, AnExtendedStoredProcedureAnswersItsRows) {
  TdcStoredProc procedure(nullptr);
  procedure.SetDatabaseName(database);
  procedure.SetStoredProcName("LEDGERROWS");
  procedure.Open();
  EXPECT_EQ(column(procedure, "A"), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_TRUE(procedure.InheritsFrom("TStoredProc"));
}

TEST_F(DcQueryTest, ATableWhoseQueryBeginsWithTheWordQueryOpensItAsSql) {
  TdcTable table(nullptr);
  table.SetName("Ledger");
  table.SetDatabaseName(database);
  table.SetTableName("YClient.qf");
  StringList lines;
  setLines(lines, {"Query SELECT A, B", "FROM LEDGER WHERE B > 1"});
  table.SetQuery(&lines);
  EXPECT_TRUE(table.TableName().empty()) << "a query replaces the table name";
  table.Open();
  EXPECT_EQ(table.Language(), qlSQL);
  EXPECT_EQ(column(table, "A"), (std::vector<std::string>{"two", "three"}));
  EXPECT_FALSE(table.SelectIndexForFields("A")) << "a table through a query chooses no index";
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "Table Ledger: Table index not found");
    EXPECT_FALSE(FindKeyValues(&table, {"two"}));
  }
  table.Close();
  table.SetTableName("YClient.qf");
  EXPECT_FALSE(table.HasQuery()) << "a table name replaces the query";
}

TEST_F(DcQueryTest, QueryByExampleIsRefusedWithAClearText) {
  auto refused = [](TDataSet& dataSet) {
    try {
      dataSet.Open();
    } catch (const ETDBEngineError& error) {
      return error.ErrorCount() > 0 && error.Errors(0).ErrorCode == DBIERR_NOTSUPPORTED &&
             error.Message().find("Query by example is not offered by this engine") != AnsiString::npos;
    }
    return false;
  };
  TdcTable table(nullptr);
  table.SetDatabaseName(database);
  StringList lines;
  setLines(lines, {"LEDGER | A    | B |", "       | Check| 2 |"});
  table.SetQuery(&lines);
  EXPECT_TRUE(refused(table));
  EXPECT_EQ(table.Language(), qlQBE);
  EXPECT_FALSE(table.Active());

  TComponent form(nullptr);
  auto* qbe = static_cast<TdcQBE*>(CreateComponentByClassName("TdcQBE", &form));
  ASSERT_NE(qbe, nullptr);
  qbe->SetDatabaseName(database);
  setLines(*qbe->QBE(), {"LEDGER | A | B |", "| Check ~Who | ~Unknown_1# ~ |"});
  qbe->Substitutions.Add("WHO=two");
  qbe->Substitutions.Add("who=three");
  EXPECT_EQ(qbe->PreparedText(), "LEDGER | A | B |\r\n| Check three |     |");
  EXPECT_TRUE(refused(*qbe));
  EXPECT_FALSE(qbe->Active());
}

}  // namespace
