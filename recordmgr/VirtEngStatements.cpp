#include <memory>

#include "recordmgr/BtrSqlDatabase.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/QueryLanguage.h"
#include "recordmgr/SSQLSqlStmt.h"
#include "recordmgr/VirtEng.h"

namespace {

constexpr const char* kNoStatements = "This database runs no statements";
constexpr const char* kNoQueryByExample = "Query by example is not offered by this engine";

TBtrSqlDatabase& statementDatabase(TBaseDatabase* database) {
  auto* sql = dynamic_cast<TBtrSqlDatabase*>(CheckHandle(database));
  if (!sql) RaiseEngineErrorText(DBIERR_NOTSUPPORTED, kNoStatements);
  return *sql;
}

TSSQLSqlStmt& driverStatement(TSqlStmt* statement) {
  auto* driver = dynamic_cast<TSSQLSqlStmt*>(CheckHandle(statement));
  if (!driver) RaiseEngineError(DBIERR_INVALIDHNDL);
  return *driver;
}

}  // namespace

uint16_t TVirtEng::PrepareQuery(TBaseDatabase* database, uint16_t language, const char* text,
                                TSqlStmt*& statement) {
  statement = nullptr;
  return run([&] {
    if (language == qlQBE) RaiseEngineErrorText(DBIERR_NOTSUPPORTED, kNoQueryByExample);
    TBtrSqlDatabase& sql = statementDatabase(database);
    makeCurrent(database);
    TSSQLSqlStmt* prepared = nullptr;
    sql.PrepareStatement(language, CheckParam(text), prepared, 0);
    statement = prepared;
  });
}

uint16_t TVirtEng::PrepareProcedure(TBaseDatabase* database, const char* name, TSqlStmt*& statement) {
  statement = nullptr;
  return run([&] {
    TBtrSqlDatabase& sql = statementDatabase(database);
    makeCurrent(database);
    TSSQLSqlStmt* prepared = nullptr;
    sql.PrepareProcedureCall(name, prepared);
    statement = prepared;
  });
}

uint16_t TVirtEng::ExecuteQuery(TSqlStmt* statement, TBaseTable** cursor) {
  if (cursor) *cursor = nullptr;
  return run([&] {
    TSSQLSqlStmt& driver = driverStatement(statement);
    if (!cursor) return driver.Execute(nullptr);
    TBaseTable* result = nullptr;
    driver.Execute(&result);
    std::unique_ptr<TBaseTable> owned(result);
    result->SetToBegin();
    *cursor = owned.release();
  });
}

uint16_t TVirtEng::FreeQuery(TSqlStmt*& statement) {
  return run([&] {
    delete CheckHandle(statement);
    statement = nullptr;
  });
}
