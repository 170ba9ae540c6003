#include "recordmgr/tests/SqlDriverFixture.h"

#include <cstring>

#include "platform/sqlif/tests/SqlFixture.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/CursorProperties.h"
#include "testing/TestDirs.h"

namespace sqldrivertest {

using qn::sqlif::testing::makeDatabase;
using qn::sqlif::testing::runTool;
using qn::sqlif::testing::standardDescription;

nlohmann::json testDescription() {
  nlohmann::json description = standardDescription();
  description["tables"].push_back(
      {{"name", "LEDGER"},
       {"columns",
        {{{"name", "A"}, {"type", "string"}, {"size", 10}},
         {{"name", "B"}, {"type", "integer"}, {"size", 4}},
         {{"name", "AMOUNT"}, {"type", "decimal"}, {"size", 5}, {"decimals", 0}}}},
       {"rows", {{"one", 1, 10}, {"two", 2, 20}, {"three", 3, 30}}}});
  description["procedures"].push_back({{"name", "LEDGERROWS"}, {"text", "SELECT A FROM LEDGER"}});
  return description;
}

std::string makeSqlFolder(const std::string& name, const nlohmann::json& description) {
  const std::string folder = qn::testing::makeScratchDir("sql") + "/" + name;
  const auto made = makeDatabase(folder, description);
  EXPECT_EQ(made.exitCode, 0) << made.output;
  return folder;
}

void registerName(const std::string& name, const std::string& folder, bool remote) {
  std::vector<std::string> arguments{"register", name, folder};
  if (remote) arguments.push_back("--remote");
  const auto run = runTool(arguments);
  EXPECT_EQ(run.exitCode, 0) << run.output;
}

LoginParameters::LoginParameters(std::initializer_list<std::pair<const char*, const char*>> pairs) {
  for (const auto& [name, value] : pairs) {
    FieldDescriptor descriptor{};
    descriptor.FieldNumber = static_cast<uint16_t>(descriptors.size() + 1);
    std::strncpy(descriptor.FieldName, name, FieldDescriptor::NameSize - 1);
    descriptor.FieldType = LogicalFieldType::Text;
    descriptor.Offset = static_cast<uint16_t>(values.size());
    descriptor.FieldLength = static_cast<uint16_t>(std::strlen(value) + 1);
    values.insert(values.end(), value, value + std::strlen(value) + 1);
    descriptors.push_back(descriptor);
  }
}

void SqlDriverFixture::TearDown() {
  for (TBaseTable* result : results) delete result;
  results.clear();
  sessions.FreeAll();
}

TBtrSqlSession* SqlDriverFixture::newSession() {
  return static_cast<TBtrSqlSession*>(CreateSession<TBtrSqlSession>(nullptr, nullptr, nullptr, &sessions));
}

TBaseDatabase* SqlDriverFixture::openDatabase(TBtrSqlSession& session, const std::string& name, const char* user,
                                              const char* password) {
  LoginParameters parameters{{"USER NAME", user}};
  TBaseDatabase* database = nullptr;
  session.OpenDatabase(name.c_str(), nullptr, 0, 0, password, 1, parameters.descriptors.data(),
                       parameters.values.data(), database);
  return database;
}

TBtrSqlDatabase* SqlDriverFixture::openSqlDatabase(const std::string& name) {
  TBaseDatabase* database = openDatabase(*newSession(), name);
  auto* sql = dynamic_cast<TBtrSqlDatabase*>(database);
  EXPECT_NE(sql, nullptr) << name << " did not open as an SQL database";
  return sql;
}

TBtrSqlBaseTable* SqlDriverFixture::runQuery(TBtrSqlDatabase& database, const std::string& text, bool aggregate) {
  TSSQLSqlStmt* statement = nullptr;
  database.PrepareStatement(TBtrSqlDatabase::SqlLanguage, text.c_str(), statement, 0);
  if (aggregate) statement->SetProperty(TSqlStmt::AggregateProperty, 1);
  TBaseTable* result = nullptr;
  statement->Execute(&result);
  results.push_back(result);
  result->SetToBegin();
  return static_cast<TBtrSqlBaseTable*>(result);
}

std::vector<uint8_t> SqlDriverFixture::rowBuffer(TBtrSqlBaseTable& result) {
  return std::vector<uint8_t>(result.GetRecordSize(), 0);
}

int32_t SqlDriverFixture::integerField(TBtrSqlBaseTable& result, uint16_t fieldNumber, std::vector<uint8_t>& row) {
  int32_t value = 0;
  bool blank = false;
  result.GetField(fieldNumber, row.data(), blank, &value);
  return value;
}

}  // namespace sqldrivertest
