#include "recordmgr/FrameworkQuery.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DatabaseError.h"
#include "recordmgr/QueryLanguage.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/StatementCursor.h"

namespace {

UnitRegistration unit("recordmgr/FrameworkQuery", {"recordmgr/Sessions"}, [] { RegisterClass<TQuery>(); }, [] {});

}  // namespace

void TQuery::PublishProperties(PropertyPublisher<TQuery>& publish) {
  publish.String("DatabaseName", &TQuery::DatabaseName, &TQuery::SetDatabaseName);
  publish.StringList("SQL", &TQuery::SQL, &TQuery::SetSQL);
  publish.Boolean("ParamCheck", &TQuery::ParamCheck, &TQuery::SetParamCheck);
}

TQuery::TQuery(TComponent* owner)
    : TttDBDataset(owner, StartedBtrieveSessionList()), list_(StartedBtrieveSessionList()) {}

TQuery::~TQuery() { CloseForDestruction(); }

TVirtEng* TQuery::Engine() { return list_.Engine(); }

TttSession* TQuery::DefaultSession() { return list_.DefaultSession(); }

void TQuery::SetSQL(TStrings* value) {
  Close();
  if (value) sql_.Assign(*value);
}

AnsiString TQuery::StatementText() const {
  AnsiString text;
  for (int i = 0; i < sql_.Count(); ++i) text += (i ? " " : "") + sql_.Strings(i);
  return text;
}

void TQuery::ExecSQL() {
  CheckInactive();
  if (sql_.Count() == 0) DatabaseError(query_texts::kNoStatement, this);
  RunStatementOnce(*this, qlSQL, StatementText());
}

TBaseTable* TQuery::CreateHandle() {
  if (sql_.Count() == 0) DatabaseError(query_texts::kNoStatement, this);
  return RunStatementCursor(*this, qlSQL, StatementText(), statement_);
}

void TQuery::DestroyHandle() {
  TttDBDataset::DestroyHandle();
  ReleaseStatement(*this, statement_);
}
