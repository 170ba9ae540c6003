#include "recordmgr/DBDataset.h"

#include "framework/db/DatabaseError.h"
#include "recordmgr/Database.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/Session.h"
#include "recordmgr/SessionList.h"
#include "recordmgr/VirtEng.h"

TttDBDataset::TttDBDataset(TComponent* owner, TttSessionlist& list) : TDBDataSet(owner), list_(list) {
  if (TttSession* session = TttSession::AutoNamedSessionOf(owner)) sessionName_ = session->SessionName();
}

TttDBDataset::~TttDBDataset() { releaseDatabase(); }

// --- Properties ---

void TttDBDataset::SetDatabaseName(const AnsiString& value) {
  if (ComponentState().Contains(csLoading)) {
    databaseName_ = value;
    return;
  }
  if (value == databaseName_) return;
  CheckInactive();
  if (database_) DatabaseError(database_texts::kDatabaseOpen, this);
  databaseName_ = value;
  DataEvent(dePropertyChange, 0);
}

void TttDBDataset::SetSessionName(const AnsiString& value) {
  CheckInactive();
  sessionName_ = value;
  DataEvent(dePropertyChange, 0);
}

void TttDBDataset::SetUpdateMode(uint8_t mode) {
  updateMode_ = mode;
  applyUpdateMode();
}

void TttDBDataset::applyUpdateMode() {
  if (Handle() && database_ && database_->IsSQLBased() && CanModifyCursor())
    Check(Engine()->SetProperty(Handle(), PropertyUpdateMode, updateMode_));
}

TBaseDatabase* TttDBDataset::DBHandle() const { return database_ ? database_->Handle() : nullptr; }

TttSession* TttDBDataset::DBSession() {
  if (database_ && database_->Session()) return database_->Session();
  if (TttSession* named = list_.FindSession(sessionName_)) return named;
  return DefaultSession();
}

// --- The database ---

bool TttDBDataset::SetDBFlag(int flag, bool value) {
  const auto bit = static_cast<uint16_t>(1u << flag);
  const bool previous = (dbFlags_ & bit) != 0;
  if (value) {
    if (dbFlags_ == 0) acquireDatabase();
    dbFlags_ |= bit;
  } else {
    dbFlags_ &= static_cast<uint16_t>(~bit);
    if (dbFlags_ == 0) releaseDatabase();
  }
  return previous;
}

void TttDBDataset::acquireDatabase() {
  TttSession* session = DBSession();
  TttSession* standard = DefaultSession();
  // A database component of the default session serves a dataset of another session that has
  // none of that name.
  if (session != standard && !session->FindDatabaseOf(databaseName_, Owner())) {
    if (TttDatabase* shared = standard->FindDatabaseOf(databaseName_, Owner()))
      shared->SetSessionName(session->SessionName());
  }
  database_ = session->OpenDatabase(databaseName_, Owner());
  database_->AddDataset(this);
}

void TttDBDataset::releaseDatabase() {
  if (!database_) return;
  TttDatabase* database = database_;
  database_ = nullptr;
  dbFlags_ = 0;
  database->RemoveDataset(this);
  if (TttSession* session = database->Session()) session->CloseDatabase(database);
}

// --- The cursor ---

void TttDBDataset::OpenCursor(bool infoQuery) {
  SetDBFlag(0, true);
  try {
    TttBDEDataset::OpenCursor(infoQuery);
  } catch (...) {
    // A cursor that never opened is not closed by the framework: the database goes back here.
    if (!IsCursorOpen()) SetDBFlag(0, false);
    throw;
  }
  applyUpdateMode();
}

void TttDBDataset::CloseCursor() {
  TttBDEDataset::CloseCursor();
  SetDBFlag(0, false);
}

void TttDBDataset::CheckWithPasswordRetry(const std::function<uint16_t()>& call) {
  for (;;) {
    const uint16_t status = call();
    if (status == NotSufficientTableRights && DBSession()->GetPassword()) continue;
    Check(status);
    return;
  }
}
