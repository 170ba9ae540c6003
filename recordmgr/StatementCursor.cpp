#include "recordmgr/StatementCursor.h"

#include <functional>

#include "recordmgr/DBDataset.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/VirtEng.h"

namespace {

TBaseTable* runPrepared(TttDBDataset& dataSet, TSqlStmt*& statement, const std::function<uint16_t()>& prepare) {
  TVirtEng& engine = *dataSet.Engine();
  CheckEngineStatus(engine, prepare());
  TBaseTable* cursor = nullptr;
  const uint16_t status = engine.ExecuteQuery(statement, &cursor);
  if (status != 0) {
    // The error is raised from the facade's record of the failed run; the statement goes with it.
    try {
      CheckEngineStatus(engine, status);
    } catch (...) {
      engine.FreeQuery(statement);
      throw;
    }
  }
  return cursor;
}

}  // namespace

TBaseTable* RunStatementCursor(TttDBDataset& dataSet, uint16_t language, const AnsiString& text,
                               TSqlStmt*& statement) {
  return runPrepared(dataSet, statement, [&] {
    return dataSet.Engine()->PrepareQuery(dataSet.DBHandle(), language, text.c_str(), statement);
  });
}

TBaseTable* RunProcedureCursor(TttDBDataset& dataSet, const AnsiString& procedureName, TSqlStmt*& statement) {
  return runPrepared(dataSet, statement, [&] {
    return dataSet.Engine()->PrepareProcedure(dataSet.DBHandle(), procedureName.c_str(), statement);
  });
}

void RunStatementOnce(TttDBDataset& dataSet, uint16_t language, const AnsiString& text) {
  const bool held = dataSet.SetDBFlag(4, true);
  TSqlStmt* statement = nullptr;
  try {
    TVirtEng& engine = *dataSet.Engine();
    CheckEngineStatus(engine, engine.PrepareQuery(dataSet.DBHandle(), language, text.c_str(), statement));
    CheckEngineStatus(engine, engine.ExecuteQuery(statement, nullptr));
  } catch (...) {
    ReleaseStatement(dataSet, statement);
    dataSet.SetDBFlag(4, held);
    throw;
  }
  ReleaseStatement(dataSet, statement);
  dataSet.SetDBFlag(4, held);
}

void ReleaseStatement(TttDBDataset& dataSet, TSqlStmt*& statement) {
  if (statement) dataSet.Engine()->FreeQuery(statement);
  statement = nullptr;
}
