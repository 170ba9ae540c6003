#include "recordmgr/Sessions.h"

#include <memory>

#include "framework/base/ClassRegistry.h"
#include "framework/base/ComponentError.h"
#include "framework/base/FormatText.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "recordmgr/BtrSqlSession.h"
#include "recordmgr/VirtEng.h"

namespace {

TtbSessionList* sessionList = nullptr;
TtbSession* defaultSession = nullptr;

// The record manager stops after the sessions have ended their clients.
UnitRegistration unit(
    "recordmgr/Sessions", {"recordmgr/BtrieveEngine"},
    [] {
      RegisterClass<TtbSession>();
      RegisterClass<TtbDatabase>();
      RegisterClass<TtbTable>();
      RegisterClass<TtbBatchMove>();
      sessionList = new TtbSessionList;
      defaultSession = new TtbSession(nullptr);
      defaultSession->SetSessionName("Btrieve");
    },
    [] {
      defaultSession = nullptr;
      delete sessionList;
      sessionList = nullptr;
    });

}  // namespace

TtbSessionList::~TtbSessionList() {
  CloseAll();
  delete engine_;
}

TttSession* TtbSessionList::DefaultSession() {
  for (int i = 0; i < Count(); ++i)
    if (Sessions(i)->IsDefault()) return Sessions(i);
  return nullptr;
}

TtbSession::TtbSession(TComponent* owner) : TttSession(owner, StartedBtrieveSessionList()) {}

TtbSessionList& TtbSession::list() const { return static_cast<TtbSessionList&>(SessionList()); }

TVirtEng* TtbSession::Engine() { return list().Engine(); }

void TtbSession::SetEngineObject(TVirtEng* engine) { list().SetEngine(engine); }

void TtbSession::CriticalSectionStart() { list().CriticalSection().lock(); }

void TtbSession::CriticalSectionEnd() { list().CriticalSection().unlock(); }

TBapiListItemClass TtbSession::GetEngineClass() { return &CreateSession<TBtrSqlSession>; }

TttSession* TtbSession::DefaultSession() { return list().DefaultSession(); }

TttDatabase* TtbSession::CreateDatabase() { return new TtbDatabase(this, list()); }

TtbDatabase::TtbDatabase(TComponent* owner) : TtbDatabase(owner, StartedBtrieveSessionList()) {}

TtbDatabase::TtbDatabase(TComponent* owner, TtbSessionList& list) : TttDatabase(owner, list) { SetLoginPrompt(false); }

TtbTable::TtbTable(TComponent* owner) : TttTable(owner, StartedBtrieveSessionList()), list_(*sessionList) {}

TtbTable::~TtbTable() { CloseForDestruction(); }

TVirtEng* TtbTable::Engine() { return list_.Engine(); }

TttSession* TtbTable::DefaultSession() { return list_.DefaultSession(); }

TStream* TtbTable::CreateBlobStream(TField* field, TBlobStreamMode mode) {
  if (field == nullptr || !field->IsBlob())
    DatabaseError(Format("Field '%s' is not a blob field", {field ? field->DisplayName() : AnsiString()}), this);
  auto stream = std::make_unique<TtbBlobStream>(field, mode, list_);
  stream->Open();
  return stream.release();
}

const TClassInfo* TtbTable::GetBatchMoveClass() const { return TtbBatchMove::StaticClassInfo(); }

TtbBatchMove::TtbBatchMove(TComponent* owner) : TttBatchMove(owner), list_(StartedBtrieveSessionList()) {}

TVirtEng* TtbBatchMove::Engine() { return list_.Engine(); }

TVirtEng* TtbBlobStream::Engine() { return list_.Engine(); }

TtbSessionList* BtrieveSessionList() { return sessionList; }

TtbSession* DefaultBtrieveSession() { return defaultSession; }

TtbSessionList& StartedBtrieveSessionList() {
  if (!sessionList) throw EComponentError("The record-manager sessions are not started");
  return *sessionList;
}
