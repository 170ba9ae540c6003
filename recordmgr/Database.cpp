#include "recordmgr/Database.h"

#include <algorithm>
#include <cstring>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/FormatText.h"
#include "framework/base/OemText.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DatabaseError.h"
#include "framework/ui/LoginDialogs.h"
#include "recordmgr/DBDataset.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/Session.h"
#include "recordmgr/SessionList.h"
#include "recordmgr/VirtEng.h"

using namespace database_texts;

namespace {

constexpr const char* kUserName = "USER NAME";
constexpr const char* kPassword = "PASSWORD";
constexpr const char* kStandardType = "STANDARD";
constexpr uint32_t kAliasConfigMode = 4;
// Database properties the engine is told on every open; their failures do not matter.
constexpr uint32_t kOpenProperties[] = {0x40005, 0x40004, 0x4040011};

}  // namespace

TttDatabase::TttDatabase(TComponent* owner, TttSessionlist& list) : TComponent(owner), list_(list) {
  session_ = dynamic_cast<TttSession*>(owner);
  if (!session_) session_ = TttSession::AutoNamedSessionOf(owner);
  if (!session_) session_ = list_.DefaultSession();
  sessionName_ = session_->SessionName();
  session_->AddDatabase(this);
}

TttDatabase::~TttDatabase() {
  try {
    Close();
  } catch (...) {
    HandleApplicationException(this);
  }
  if (session_) session_->RemoveDatabase(this);
}

TVirtEng* TttDatabase::Engine() const { return session_ ? session_->Engine() : nullptr; }

// --- Properties ---

void TttDatabase::SetConnected(bool value) {
  if (ComponentState().Contains(csLoading)) {
    streamedConnected_ = value;
  } else if (value) {
    Open();
  } else {
    Close();
  }
}

void TttDatabase::SetDatabaseName(const AnsiString& value) {
  if (ComponentState().Contains(csLoading)) {
    databaseName_ = value;
    return;
  }
  if (value == databaseName_) return;
  CheckInactive();
  validateDatabaseName(value);
  databaseName_ = value;
}

void TttDatabase::SetAliasName(const AnsiString& value) {
  CheckInactive();
  aliasName_ = value;
  aliasFlag_ = true;
}

void TttDatabase::SetSessionName(const AnsiString& value) {
  CheckInactive();
  if (value == sessionName_) return;
  sessionName_ = value;
  checkSessionName(false);
}

void TttDatabase::SetParams(const TStrings& value) {
  CheckInactive();
  params_.Assign(value);
}

void TttDatabase::SetExclusive(bool value) {
  CheckInactive();
  exclusive_ = value;
}

void TttDatabase::SetReadOnly(bool value) {
  CheckInactive();
  readOnly_ = value;
}

void TttDatabase::SetHandleShared(bool value) {
  CheckInactive();
  handleShared_ = value;
}

void TttDatabase::SetKeepConnection(bool value) {
  keepConnection_ = value;
  if (!value && referenceCount_ == 0) Close();
}

void TttDatabase::Loaded() {
  TComponent::Loaded();
  try {
    if (streamedConnected_) {
      Open();
    } else {
      checkSessionName(false);
    }
  } catch (...) {
    if (!ComponentState().Contains(csDesigning)) throw;
    HandleApplicationException(this);
  }
}

// --- Checks ---

void TttDatabase::CheckActive() const {
  if (!Connected()) DatabaseError(kDatabaseClosed);
}

void TttDatabase::CheckInactive() {
  if (!Connected()) return;
  if (ComponentState().Contains(csDesigning)) {
    Close();
  } else {
    DatabaseError(kDatabaseOpen);
  }
}

void TttDatabase::checkDatabaseName() const {
  if (databaseName_.empty() && !temporary_) DatabaseError(kDatabaseNameMissing);
}

void TttDatabase::checkSessionName(bool required) {
  TttSession* found = required ? list_.GetSession(sessionName_) : list_.FindSession(sessionName_);
  if (found && found != session_) {
    if (session_) session_->RemoveDatabase(this);
    session_ = found;
    session_->AddDatabase(this);
    try {
      validateDatabaseName(databaseName_);
    } catch (...) {
      databaseName_.clear();
      throw;
    }
  }
  if (required && session_) session_->SetActive(true);
}

void TttDatabase::validateDatabaseName(const AnsiString& name) {
  if (name.empty() || !session_) return;
  TttDatabase* other = session_->FindDatabase(name, this);
  if (!other || (handleShared_ && other->HandleShared())) return;
  if (!other->Temporary() || other->ReferenceCount() > 0) DatabaseError(Format(kDuplicateDatabaseName, {name}));
  delete other;
}

// --- Opening and closing ---

void TttDatabase::Open() {
  if (Connected()) return;
  checkDatabaseName();
  checkSessionName(true);
  if (handleShared_ && takeSharedHandle()) return;
  {
    TttSession::Lock lock(*session_);
    const uint32_t savedMode = session_->ConfigMode();
    try {
      const AnsiString password = resolveLogin();
      TBaseDatabase* handle = nullptr;
      CheckEngineStatus(*Engine(), Engine()->OpenDatabase(qn::ansiToOem(databaseName_).c_str(), nullptr,
                                                          readOnly_ ? 1 : 0, exclusive_ ? 1 : 0,
                                                          qn::ansiToOem(password).c_str(), 0, nullptr, nullptr,
                                                          handle));
      handle_ = handle;
      for (uint32_t property : kOpenProperties) Engine()->SetProperty(handle_, property, 1);
      readDatabaseType();
    } catch (...) {
      if (addedAlias_) {
        addedAlias_ = false;
        session_->DeleteAlias(databaseName_);
      }
      session_->SetConfigMode(savedMode);
      throw;
    }
    session_->SetConfigMode(savedMode);
  }
  session_->DatabaseNotify(DatabaseEvent::Opened, databaseName_);
}

bool TttDatabase::takeSharedHandle() {
  TBaseDatabase* shared = session_->FindDatabaseHandle(databaseName_);
  if (!shared) return false;
  TBapiListItem* owner = nullptr;
  Engine()->GetDatabaseSession(shared, 2, owner);
  if (owner != session_->GetHandle()) DatabaseError(kHandleOfOtherSession);
  handle_ = shared;
  acquiredHandle_ = true;
  readDatabaseType();
  session_->DatabaseNotify(DatabaseEvent::Opened, databaseName_);
  return true;
}

void TttDatabase::readDatabaseType() {
  char type[DatabaseTypeMax + 1] = {};
  uint16_t length = 0;
  sqlBased_ = Engine()->GetProperty(handle_, PropertyDatabaseType, type, sizeof type, length) == 0 &&
              !SameText(type, kStandardType);
}

AnsiString TttDatabase::resolveLogin() {
  const bool byAlias = !aliasName_.empty() ? aliasFlag_ : true;
  const AnsiString configName = aliasName_.empty() ? databaseName_ : aliasName_;
  StringList aliasParams;
  if (byAlias) {
    session_->GetAliasParams(configName, aliasParams);
  } else {
    session_->GetDriverParams(configName, aliasParams);
  }
  AnsiString password;
  if (aliasParams.IndexOfName(kUserName) >= 0) {
    if (loginPrompt_) {
      if (params_.Values(kUserName).empty()) params_.SetValues(kUserName, aliasParams.Values(kUserName));
      if (OnLogin) {
        StringList login;
        login.SetValues(kUserName, params_.Values(kUserName));
        OnLogin(this, login);
        password = login.Values(kPassword);
        params_.SetValues(kUserName, login.Values(kUserName));
      } else {
        auto answer = qn::ui::showLoginDialog({databaseName_, params_.Values(kUserName)});
        if (!answer) DatabaseError(Format(kLoginFailure, {databaseName_}));
        password = answer->password;
        params_.SetValues(kUserName, answer->userName);
      }
    } else {
      password = params_.Values(kPassword);
    }
  }
  bool needed = !byAlias || (!aliasName_.empty() && aliasName_ != databaseName_);
  for (int i = 0; i < params_.Count(); ++i) {
    const AnsiString line = params_.Strings(i);
    const AnsiString name = params_.Names(i);
    if (aliasParams.IndexOf(line) >= 0 || SameText(name, kPassword)) continue;
    const int index = aliasParams.IndexOfName(name);
    if (index < 0) continue;
    aliasParams.SetStrings(index, name + "=" + params_.ValueFromIndex(i));
    needed = true;
  }
  if (needed) {
    session_->AddAlias(databaseName_, byAlias ? AnsiString() : configName, false, kAliasConfigMode, aliasParams);
    addedAlias_ = true;
  }
  return password;
}

void TttDatabase::Close() {
  if (!Connected()) return;
  if (session_) session_->DatabaseNotify(DatabaseEvent::Closed, databaseName_);
  CloseDatasets();
  if (acquiredHandle_) {
    acquiredHandle_ = false;
  } else if (session_) {
    session_->CloseDatabaseHandle(this);
  }
  sqlBased_ = false;
  handle_ = nullptr;
  referenceCount_ = 0;
  if (addedAlias_) {
    addedAlias_ = false;
    session_->DeleteAlias(databaseName_);
  }
}

// --- Datasets ---

void TttDatabase::AddDataset(TttDBDataset* dataset) { datasets_.push_back(dataset); }

void TttDatabase::RemoveDataset(TttDBDataset* dataset) {
  datasets_.erase(std::remove(datasets_.begin(), datasets_.end(), dataset), datasets_.end());
}

void TttDatabase::CloseDatasets() {
  closingDatasets_ = true;
  try {
    while (!datasets_.empty()) {
      TttDBDataset* last = datasets_.back();
      last->Disconnect();
      // A dataset that stays connected leaves the list all the same, or closing would not end.
      RemoveDataset(last);
    }
  } catch (...) {
    closingDatasets_ = false;
    throw;
  }
  closingDatasets_ = false;
}

// --- Transactions ---

void TttDatabase::StartTransaction() {
  CheckActive();
  uint32_t transaction = 0;
  CheckEngineStatus(*Engine(), Engine()->BeginTransaction(handle_, isolationLevel_, transaction));
}

void TttDatabase::Commit() { endTransaction(EndCommit); }

void TttDatabase::Rollback() { endTransaction(EndRollback); }

void TttDatabase::endTransaction(uint32_t mode) {
  CheckActive();
  CheckEngineStatus(*Engine(), Engine()->EndTransaction(handle_, 0, mode));
}

bool TttDatabase::InTransaction() {
  if (!Connected()) return false;
  TransactionInfo info{};
  return Engine()->GetTransactionInfo(handle_, 0, info) == 0 && info.Transaction == 1;
}
