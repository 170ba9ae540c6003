#include "recordmgr/BtrSqlDatabase.h"

#include <memory>

#include "framework/base/TextCompare.h"
#include "recordmgr/BtrSqlProcTable.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/SSQLSqlStmt.h"
#include "recordmgr/ScalableSqlError.h"
#include "recordmgr/SqlInterface.h"

namespace {

constexpr uint32_t kAbort = 2;

bool isAtName(const char* name) { return name != nullptr && AnsiString(name).find('@') != AnsiString::npos; }

}  // namespace

TBtrSqlDatabase::TBtrSqlDatabase(TBapiListItem* session, const char* databaseName,
                                 const DatabaseDescription* description, TKorvoCollection* list,
                                 const uint8_t* clientId, const AnsiString& user, const AnsiString& password)
    : TBtrDatabase(session, databaseName, description, list, clientId),
      user_(user),
      password_(password),
      statements_(new TKorvoCollection) {}

TBtrSqlDatabase::~TBtrSqlDatabase() {
  statements_->FreeAll();
  delete statements_;
  try {
    Close();
  } catch (const EKorvoEngineError&) {
    // The interface may have ended the login already; nothing is left to end.
  }
}

void TBtrSqlDatabase::requireInterface() {
  if (LoadSqlInterface() != 0) throw EScalableSQLEngineError(EScalableSQLEngineError::NotActiveOnServer);
}

void TBtrSqlDatabase::Open() {
  if (loggedIn_) return;
  requireInterface();
  const bool atName = isAtName(DatabaseName());
  const AnsiString dictionary = atName ? AnsiString(DatabaseName()) : Directory();
  const AnsiString data = atName ? AnsiString() : Directory();
  const char noFeatures = 0;
  const int16_t status = RequiredSqlEntry(SqlCalls().Login)(user_.c_str(), password_.c_str(), dictionary.c_str(),
                                                            data.c_str(), &noFeatures, 0);
  if (status != 0 && status != OwnerNameInvalid)
    throw EScalableSQLEngineError(status, status == UnknownUser ? user_ : AnsiString(Description().Path));
  loggedIn_ = true;
}

void TBtrSqlDatabase::Close() {
  if (!loggedIn_) return;
  loggedIn_ = false;
  inSqlTransaction_ = false;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().Logout)());
}

void TBtrSqlDatabase::OpenTableList(bool extended, bool system, TBaseTable*& cursor, const char* wildcard) {
  if (DatabaseName()[0] == '@' && SameText(Description().DriverType, BtrieveDriverName))
    throw EScalableSQLEngineError(NoSystemTables);
  TBtrDatabase::OpenTableList(extended, system, cursor, wildcard);
}

void TBtrSqlDatabase::runOnce(const char* text) {
  TSSQLSqlStmt* statement = nullptr;
  PrepareStatement(SqlLanguage, text, statement, 0);
  std::unique_ptr<TSSQLSqlStmt> owned(statement);
  statement->Execute(nullptr);
}

void TBtrSqlDatabase::BeginTransaction(uint32_t isolationLevel, uint32_t& transaction) {
  if (inSqlTransaction_) RaiseEngineError(DBIERR_ACTIVETRAN);
  if (!loggedIn_) return TBtrDatabase::BeginTransaction(isolationLevel, transaction);
  runOnce("START TRANSACTION");
  inSqlTransaction_ = true;
  transaction = 1;
  SetTransactionValues(transaction, 1);
}

void TBtrSqlDatabase::EndTransaction(uint32_t transaction, uint32_t endMode) {
  if (!loggedIn_ || !inSqlTransaction_) return TBtrDatabase::EndTransaction(transaction, endMode);
  inSqlTransaction_ = false;
  SetTransactionValues(0, 0);
  runOnce(endMode == kAbort ? "ROLLBACK WORK" : "COMMIT WORK");
}

void TBtrSqlDatabase::AllocateStatement(TSSQLSqlStmt*& statement) {
  requireInterface();
  statement = new TSSQLSqlStmt(this, 0, nullptr, statements_, ClientId());
}

void TBtrSqlDatabase::PrepareStatement(uint16_t language, const char* text, TSSQLSqlStmt*& statement,
                                       uint16_t kind) {
  if (language != SqlLanguage) RaiseNotSupported(EngineOperationText::DatabaseOperation);
  Open();
  if (statement) {
    statement->SetText(text);
    return;
  }
  statement = new TSSQLSqlStmt(this, kind, text, statements_, ClientId());
}

void TBtrSqlDatabase::PrepareProcedureCall(const char* name, TSSQLSqlStmt*& statement) {
  Open();
  const AnsiString text = (AnsiString(ExecPrefix) + CheckParam(name)).substr(0, ProcedureCallMax);
  statement = new TSSQLSqlStmt(this, 1, text.c_str(), statements_, ClientId());
}

void TBtrSqlDatabase::OpenProcedureList(TBaseTable*& cursor) {
  auto* procedures = CreateCursor<TBtrSqlProcTable>(this, ClientId(), Directory().c_str(), CursorList());
  try {
    procedures->Activate();
  } catch (...) {
    delete procedures;
    throw;
  }
  cursor = procedures;
}
