#include "recordmgr/FrameworkStoredProc.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DatabaseError.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/StatementCursor.h"

namespace {

UnitRegistration unit("recordmgr/FrameworkStoredProc", {"recordmgr/Sessions"},
                      [] { RegisterClass<TStoredProc>(); }, [] {});

}  // namespace

void TStoredProc::PublishProperties(PropertyPublisher<TStoredProc>& publish) {
  publish.String("DatabaseName", &TStoredProc::DatabaseName, &TStoredProc::SetDatabaseName);
  publish.String("StoredProcName", &TStoredProc::StoredProcName, &TStoredProc::SetStoredProcName);
}

TStoredProc::TStoredProc(TComponent* owner)
    : TttDBDataset(owner, StartedBtrieveSessionList()), list_(StartedBtrieveSessionList()) {}

TStoredProc::~TStoredProc() { CloseForDestruction(); }

TVirtEng* TStoredProc::Engine() { return list_.Engine(); }

TttSession* TStoredProc::DefaultSession() { return list_.DefaultSession(); }

void TStoredProc::SetStoredProcName(const AnsiString& value) {
  CheckInactive();
  procName_ = value;
}

TBaseTable* TStoredProc::CreateHandle() {
  if (procName_.empty()) DatabaseError(storedproc_texts::kNoProcedureName, this);
  return RunProcedureCursor(*this, procName_, statement_);
}

void TStoredProc::DestroyHandle() {
  TttDBDataset::DestroyHandle();
  ReleaseStatement(*this, statement_);
}
