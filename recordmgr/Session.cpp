#include "recordmgr/Session.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/FormatText.h"
#include "framework/base/OemText.h"
#include "framework/base/Strings.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DatabaseError.h"
#include "framework/ui/LoginDialogs.h"
#include "framework/ui/Screen.h"
#include "recordmgr/DBDataset.h"
#include "recordmgr/Database.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/MainThread.h"
#include "recordmgr/SessionList.h"
#include "recordmgr/SessionRecords.h"
#include "recordmgr/VirtEng.h"

using namespace session_texts;

namespace {

constexpr const char* kLanguage = "0009";
constexpr const char* kAliasConfigPath = "\\DATABASES\\%s\\DB OPEN";
constexpr const char* kDriverConfigPath = "\\DRIVERS\\%s\\DB OPEN";
constexpr const char* kStandardDriver = "STANDARD";
constexpr const char* kDefaultDriver = "DEFAULT DRIVER";

// Holds the binding's critical section for one scope.
class CriticalSection {
 public:
  explicit CriticalSection(TttSession& session) : session_(session) { session_.CriticalSectionStart(); }
  ~CriticalSection() { session_.CriticalSectionEnd(); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

 private:
  TttSession& session_;
};

}  // namespace

TttSession::TttSession(TComponent* owner, TttSessionlist& list) : TComponent(owner), list_(list) {
  validateAutoSession(owner, false);
  list_.AddSession(this);
}

TttSession::~TttSession() {
  for (TttDatabase* database : databases_) database->SessionGone();
  list_.RemoveSession(this);
}

void TttSession::DoDestroy() {
  SetActive(false);
  if (autoSessionName_) SetAutoSessionName(false);
}

// --- Properties ---

void TttSession::SetActive(bool value) {
  if (ComponentState().Contains(csLoading)) {
    streamedActive_ = value;
  } else if (value != Active()) {
    StartSession(value);
  }
}

void TttSession::Loaded() {
  TComponent::Loaded();
  try {
    if (autoSessionName_) updateSessionNames();
    if (streamedActive_) SetActive(true);
  } catch (...) {
    if (!ComponentState().Contains(csDesigning)) throw;
    HandleApplicationException(this);
  }
}

void TttSession::SetSessionName(const AnsiString& value) {
  if (autoSessionName_ && !namingItself_) DatabaseError(kAutoSessionNameLocked);
  CheckInactive();
  if (!value.empty()) {
    TttSession* other = list_.FindSession(value);
    if (other && other != this) DatabaseError(Format(kDuplicateSessionName, {value}));
  }
  sessionName_ = value;
}

void TttSession::SetAutoSessionName(bool value) {
  if (value == autoSessionName_) return;
  if (value) {
    CheckInactive();
    validateAutoSession(Owner(), true);
    {
      CriticalSection section(*this);
      TBits& numbers = list_.SessionNumbers();
      sessionNumber_ = numbers.OpenBit();
      numbers.SetBits(sessionNumber_, true);
    }
    autoSessionName_ = true;
    makeSessionName();
  } else {
    {
      CriticalSection section(*this);
      if (sessionNumber_ >= 0) list_.SessionNumbers().SetBits(sessionNumber_, false);
    }
    sessionNumber_ = -1;
    autoSessionName_ = false;
  }
}

void TttSession::SetName(const AnsiString& NewName) {
  TComponent::SetName(NewName);
  if (autoSessionName_) makeSessionName();
}

void TttSession::makeSessionName() {
  namingItself_ = true;
  try {
    SetSessionName(Format("%s_%d", {Name(), sessionNumber_ + 1}));
  } catch (...) {
    namingItself_ = false;
    throw;
  }
  namingItself_ = false;
  updateSessionNames();
}

void TttSession::updateSessionNames() {
  if (!Owner()) return;
  for (int i = 0; i < Owner()->ComponentCount(); ++i) {
    TComponent* component = Owner()->Components(i);
    if (auto* database = dynamic_cast<TttDatabase*>(component)) {
      if (database->SessionName() != sessionName_) database->SetSessionName(sessionName_);
    } else if (auto* dataset = dynamic_cast<TttDBDataset*>(component)) {
      if (dataset->SessionName() != sessionName_) dataset->SetSessionName(sessionName_);
    }
  }
}

TttSession* TttSession::AutoNamedSessionOf(const TComponent* owner) {
  if (!owner) return nullptr;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* session = dynamic_cast<TttSession*>(owner->Components(i));
    if (session && session->AutoSessionName()) return session;
  }
  return nullptr;
}

void TttSession::validateAutoSession(TComponent* owner, bool enabling) {
  if (!owner) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* other = dynamic_cast<TttSession*>(owner->Components(i));
    if (!other || other == this) continue;
    if (enabling) DatabaseError(kAutoSessionExclusive);
    if (other->AutoSessionName()) DatabaseError(Format(kAutoSessionPresent, {other->SessionName()}));
  }
}

void TttSession::CheckInactive() const {
  if (Active()) DatabaseError(kSessionActive);
}

AnsiString TttSession::NetFileDir() {
  if (!Active()) return UpperCase(netFileDir_);
  Lock lock(*this);
  char buffer[DirectoryMax + 1] = {};
  uint16_t length = 0;
  CheckEngineStatus(*Engine(), Engine()->GetProperty(GetHandle(), PropertyNetFileDir, buffer, sizeof buffer, length));
  return UpperCase(FromEngineText(buffer));
}

void TttSession::SetNetFileDir(const AnsiString& value) {
  // The engine's property takes no text across a 32-bit value; the engine's network directory is
  // the session's directory, which it reads back above.
  netFileDir_ = value;
}

AnsiString TttSession::PrivateDir() {
  if (!Active()) return UpperCase(privateDir_);
  Lock lock(*this);
  SessionInfo info{};
  CheckEngineStatus(*Engine(), Engine()->GetSessionInfo(info));
  return UpperCase(FromEngineText(info.PrivateDirectory));
}

void TttSession::SetPrivateDir(const AnsiString& value) {
  if (Active()) {
    Lock lock(*this);
    char buffer[DirectoryMax + 1] = {};
    ToEngineText(value, DirectoryMax, buffer);
    CheckEngineStatus(*Engine(), Engine()->SetPrivateDirectory(buffer));
  }
  privateDir_ = value;
}

uint32_t TttSession::ConfigMode() {
  Lock lock(*this);
  uint32_t mode = 0;
  uint16_t length = 0;
  CheckEngineStatus(*Engine(), Engine()->GetProperty(GetHandle(), PropertyConfigMode, &mode, sizeof mode, length));
  return mode;
}

void TttSession::SetConfigMode(uint32_t mode) {
  Lock lock(*this);
  setConfigProperty(mode == 7 ? 2 : mode);
}

void TttSession::setConfigProperty(uint32_t mode) {
  CheckEngineStatus(*Engine(), Engine()->SetProperty(handle_, PropertyConfigMode, mode));
}

// --- Starting and stopping ---

void TttSession::StartSession(bool value) {
  CriticalSection section(*this);
  if (!value) {
    stopSession();
    return;
  }
  if (OnStartup) OnStartup(this);
  if (sessionName_.empty()) DatabaseError(kSessionNameMissing);
  if (!default_) DefaultSession()->SetActive(true);
  if (default_) {
    initializeEngine();
  } else {
    TBaseSession* handle = nullptr;
    CheckEngineStatus(*Engine(), Engine()->StartSession(nullptr, nullptr, handle));
    handle_ = handle;
  }
  try {
    if (!netFileDir_.empty()) SetNetFileDir(netFileDir_);
    if (!privateDir_.empty()) SetPrivateDir(privateDir_);
    setConfigProperty(7);
  } catch (...) {
    stopSession();
    throw;
  }
}

void TttSession::initializeEngine() {
  std::optional<HourglassCursor> hourglass;
  if (OnMainThread() && Screen->Cursor() == crDefault) hourglass.emplace();
  char environment[EnvironmentSize] = {};
  std::strncpy(environment, kLanguage, LanguageMax);
  // With the engine object present the engine answers "already started" (10759), which is no
  // failure. An engine error while the facade is made passes on as it is: no facade holds its
  // texts.
  const bool created = Engine() == nullptr;
  if (created) SetEngineObject(new TVirtEng(GetEngineClass(), environment, nullptr, nullptr));
  TBaseSession* handle = nullptr;
  const uint16_t status = Engine()->GetCurrentSession(handle);
  if (status == 0 && handle) {
    handle_ = handle;
    return;
  }
  // A facade whose first session did not start is of no use: it goes with the failure.
  ETDBEngineError error(*Engine(), status ? status : Engine()->StartStatus());
  if (created) {
    delete Engine();
    SetEngineObject(nullptr);
  }
  throw error;
}

void TttSession::stopSession() {
  if (!handle_) return;
  TVirtEng* engine = Engine();
  engine->SetCurrentSession(handle_);
  for (size_t i = databases_.size(); i-- > 0;) {
    if (i >= databases_.size()) continue;
    TttDatabase* database = databases_[i];
    if (database->Temporary()) {
      delete database;
    } else {
      database->Close();
    }
  }
  TBaseSession* handle = handle_;
  handle_ = nullptr;
  if (default_) {
    delete engine;
    SetEngineObject(nullptr);
    return;
  }
  engine->SetCurrentSession(handle);
  CheckEngineStatus(*engine, engine->CloseSession(handle));
  if (TttSession* standard = DefaultSession(); standard && standard->handle_)
    engine->SetCurrentSession(standard->handle_);
}

// --- Locking ---

void TttSession::LockSession() {
  if (lockCount_ == 0) {
    CriticalSectionStart();
    try {
      MakeCurrent();
    } catch (...) {
      CriticalSectionEnd();
      throw;
    }
  }
  ++lockCount_;
}

void TttSession::UnlockSession() {
  if (lockCount_ == 0) return;
  if (--lockCount_ == 0) CriticalSectionEnd();
}

void TttSession::MakeCurrent() {
  if (handle_) {
    CheckEngineStatus(*Engine(), Engine()->SetCurrentSession(handle_));
  } else {
    SetActive(true);
  }
}

TBaseSession* TttSession::GetHandle() {
  MakeCurrent();
  return handle_;
}

// --- Aliases and drivers ---

void TttSession::GetAliasParams(const AnsiString& alias, TStrings& list) {
  getConfigParams(kAliasConfigPath, qn::ansiToOem(alias.substr(0, AliasNameMax)), list);
}

void TttSession::GetDriverParams(const AnsiString& driver, TStrings& list) {
  if (SameText(driver, kStandardDriver)) {
    list.BeginUpdate();
    list.Clear();
    list.Add(Format("%s=", {"PATH"}));
    list.EndUpdate();
    return;
  }
  getConfigParams(kDriverConfigPath, driver, list);
}

void TttSession::getConfigParams(const char* pathFormat, const AnsiString& name, TStrings& list) {
  list.BeginUpdate();
  try {
    list.Clear();
    Lock lock(*this);
    TBaseTable* cursor = nullptr;
    CheckEngineStatus(*Engine(), Engine()->OpenConfigList(cursor, Format(pathFormat, {name}).c_str()));
    ConfigListRecord record{};
    while (Engine()->GetNextRecord(cursor, 0, &record, nullptr) == 0)
      list.Add(Format("%s=%s", {AnsiString(record.NodeName), qn::oemToAnsi(record.Value)}));
    Engine()->CloseCursor(cursor);
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

void TttSession::AddAlias(const AnsiString& name, const AnsiString& driver, bool restoreMode, uint32_t configMode,
                          TStrings& params) {
  AnsiString text;
  for (int i = 0; i < params.Count(); ++i) {
    const AnsiString line = params.Strings(i);
    const size_t equals = line.find('=');
    if (equals == AnsiString::npos || equals + 1 >= line.size()) continue;
    const AnsiString value = line.substr(equals + 1, ParamValueMax);
    if (value.find('"') != AnsiString::npos) RaiseDatabaseEngineError(*Engine(), DBIERR_INVALIDPARAM);
    text = Format("%s%s:\"%s\";", {text, line.substr(0, equals), value});
  }
  text = qn::ansiToOem(text);
  if (!text.empty()) text.pop_back();
  AnsiString driverName = params.Values(kDefaultDriver);
  if (driverName.empty() && !SameText(driver, kStandardDriver)) driverName = driver;
  {
    Lock lock(*this);
    const uint32_t saved = ConfigMode();
    SetConfigMode(configMode);
    CheckEngineStatus(*Engine(), Engine()->AddAlias(qn::ansiToOem(name).c_str(), qn::ansiToOem(driverName).c_str(),
                                                    text.c_str(), false));
    if (restoreMode) SetConfigMode(saved);
  }
  DatabaseNotify(DatabaseEvent::AliasAdded, name);
}

void TttSession::DeleteAlias(const AnsiString& name) {
  DatabaseNotify(DatabaseEvent::AliasDeleted, name);
  Lock lock(*this);
  CheckEngineStatus(*Engine(), Engine()->DeleteAlias(qn::ansiToOem(name).c_str()));
}

void TttSession::DatabaseNotify(DatabaseEvent event, const AnsiString& name) {
  if (OnDatabaseEvent) OnDatabaseEvent(event, name);
}

// --- Character sets ---

void TttSession::ToEngineText(const AnsiString& text, size_t maxLength, char* buffer) {
  const size_t count = std::min(text.size(), maxLength);
  buffer[0] = '\0';
  if (count == 0) return;
  uint32_t length = 0;
  CheckEngineStatus(*Engine(), Engine()->AnsiToNative(buffer, length, static_cast<uint32_t>(count), text.c_str()));
  buffer[count] = '\0';
}

AnsiString TttSession::FromEngineText(const char* text) {
  const size_t count = std::strlen(text);
  if (count == 0) return {};
  AnsiString result(count, '\0');
  uint32_t length = 0;
  CheckEngineStatus(*Engine(), Engine()->NativeToAnsi(result.data(), length, static_cast<uint32_t>(count), text));
  return result;
}

// --- Databases ---

void TttSession::AddDatabase(TttDatabase* database) {
  databases_.push_back(database);
  DatabaseNotify(DatabaseEvent::Added, database->DatabaseName());
}

void TttSession::RemoveDatabase(TttDatabase* database) {
  std::erase(databases_, database);
  DatabaseNotify(DatabaseEvent::Removed, database->DatabaseName());
}

TttDatabase* TttSession::FindDatabase(const AnsiString& name, const TttDatabase* except) const {
  for (TttDatabase* database : databases_) {
    if (database == except) continue;
    if ((!database->DatabaseName().empty() || database->Temporary()) && SameText(database->DatabaseName(), name))
      return database;
  }
  return nullptr;
}

TttDatabase* TttSession::FindDatabaseOf(const AnsiString& name, const TComponent* owner) const {
  for (TttDatabase* database : databases_)
    if (database->Owner() == owner && database->HandleShared() && SameText(database->DatabaseName(), name))
      return database;
  return FindDatabase(name);
}

TBaseDatabase* TttSession::FindDatabaseHandle(const AnsiString& name) const {
  for (TttDatabase* database : databases_)
    if (database->Connected() && database->HandleShared() && SameText(database->DatabaseName(), name))
      return database->Handle();
  return nullptr;
}

TttDatabase* TttSession::OpenDatabase(const AnsiString& name, const TComponent* owner) {
  MakeCurrent();
  TttDatabase* database = owner ? FindDatabaseOf(name, owner) : FindDatabase(name);
  const bool created = database == nullptr;
  if (created) {
    database = CreateDatabase();
    database->SetTemporary(true);
    database->SetDatabaseName(name);
    database->SetKeepConnection(keepConnections_);
  }
  try {
    database->Open();
  } catch (...) {
    if (created) delete database;
    throw;
  }
  database->SetReferenceCount(database->ReferenceCount() + 1);
  return database;
}

void TttSession::CloseDatabase(TttDatabase* database) {
  if (database->ReferenceCount() > 0) database->SetReferenceCount(database->ReferenceCount() - 1);
  if (database->ReferenceCount() > 0 || database->KeepConnection() || database->ClosingDatasets()) return;
  if (!database->Temporary()) {
    database->Close();
  } else if (!database->ComponentState().Contains(csDestroying)) {
    delete database;
  }
}

void TttSession::CloseDatabaseHandle(TttDatabase* database) {
  for (TttDatabase* other : databases_)
    if (other != database && other->Handle() == database->Handle()) return;
  Lock lock(*this);
  CheckEngineStatus(*Engine(), Engine()->CloseDatabase(database->Handle()));
}

// --- Passwords ---

void TttSession::AddPassword(const AnsiString& password) {
  if (std::find(passwords_.begin(), passwords_.end(), password) == passwords_.end()) passwords_.push_back(password);
}

bool TttSession::GetPassword() {
  if (OnPassword) {
    bool again = false;
    OnPassword(this, again);
    return again;
  }
  const std::optional<AnsiString> answer = qn::ui::showPasswordDialog(sessionName_);
  if (!answer) return false;
  AddPassword(*answer);
  return true;
}
