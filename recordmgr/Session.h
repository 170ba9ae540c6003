#pragma once
// TttSession: the unit of connection to the engine. The default session (the first of its list)
// creates the engine facade when it starts and frees it when it stops; every other session holds
// an engine session of that facade. A session serialises the engine calls made on its behalf
// through the binding's one critical section (LockSession nests), names itself automatically
// when asked, and answers the engine's aliases and drivers.
//
// The class is abstract: the binding supplies the engine object, the critical section, the
// default session and the engine's session class. The session list is given to the constructor,
// as a base constructor cannot reach the binding's operations in C++.
//
// Decisions where the session differs from the plainest reading of its design:
// - AddAlias refuses (invalid parameter, 9986) a value holding '"' before calling the engine:
//   the quoted parameter text cannot carry it.
// - A failing first LockSession (the session cannot become current) leaves the lock count and the
//   critical section as they were.
// - A database or dataset made on a form joins the form's self-naming session as it is made,
//   rather than when the session hears of it: the framework tells the owner's components of a
//   newcomer before the newcomer's class is whole.
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "recordmgr/BapiListItem.h"

class TBaseDatabase;
class TBaseSession;
class TStrings;
class TttDatabase;
class TVirtEng;
class TttSessionlist;

namespace session_texts {
inline constexpr const char* kSessionNameMissing = "Session name missing";
inline constexpr const char* kDuplicateSessionName = "Duplicate session name '%s'";
inline constexpr const char* kInvalidSessionName = "Invalid session name %s";
inline constexpr const char* kSessionActive = "Cannot perform this operation on an active session";
inline constexpr const char* kAutoSessionNameLocked = "Cannot modify SessionName while AutoSessionName is enabled";
inline constexpr const char* kAutoSessionExclusive =
    "Cannot enable AutoSessionName property with more than one session on a form or data-module";
inline constexpr const char* kAutoSessionPresent =
    "Cannot add a session to the form or data-module while session '%s' has AutoSessionName enabled";
}  // namespace session_texts

// The database events a session reports.
enum class DatabaseEvent { Opened, Closed, Added, Removed, AliasAdded, AliasDeleted };

class TttSession : public TComponent {
  QN_CLASS(TttSession, TComponent)
 public:
  static constexpr uint32_t PropertyNetFileDir = 0x20002;
  static constexpr uint32_t PropertyConfigMode = 0x2000C;
  static constexpr size_t EnvironmentSize = 588;
  static constexpr size_t LanguageMax = 31;
  static constexpr size_t DirectoryMax = 260;
  static constexpr size_t AliasNameMax = 31;
  static constexpr size_t ParamValueMax = 255;
  static constexpr uint16_t EngineAlreadyStarted = 10759;

  using TPasswordEvent = std::function<void(TObject* Sender, bool& Continue)>;
  using TDatabaseNotifyEvent = std::function<void(DatabaseEvent event, const AnsiString& name)>;

  TttSession(TComponent* owner, TttSessionlist& list);
  ~TttSession() override;

  // --- Supplied by the binding ---
  virtual TVirtEng* Engine() = 0;
  virtual void SetEngineObject(TVirtEng* engine) = 0;
  virtual void CriticalSectionStart() = 0;
  virtual void CriticalSectionEnd() = 0;
  virtual TBapiListItemClass GetEngineClass() = 0;
  virtual TttSession* DefaultSession() = 0;
  // A database component of the binding's class, owned by this session.
  virtual TttDatabase* CreateDatabase() = 0;

  // --- Properties ---
  bool Active() const { return handle_ != nullptr; }
  void SetActive(bool value);
  bool AutoSessionName() const { return autoSessionName_; }
  void SetAutoSessionName(bool value);
  bool KeepConnections() const { return keepConnections_; }
  void SetKeepConnections(bool value) { keepConnections_ = value; }
  const AnsiString& SessionName() const { return sessionName_; }
  void SetSessionName(const AnsiString& value);
  bool SQLHourGlass() const { return sqlHourGlass_; }
  void SetSQLHourGlass(bool value) { sqlHourGlass_ = value; }
  void SetName(const AnsiString& NewName) override;
  // Inactive: the stored text; active: the engine's value. Upper case either way.
  AnsiString NetFileDir();
  void SetNetFileDir(const AnsiString& value);
  AnsiString PrivateDir();
  void SetPrivateDir(const AnsiString& value);
  uint32_t ConfigMode();
  // Mode 7 is stored as 2.
  void SetConfigMode(uint32_t mode);
  bool IsDefault() const { return default_; }
  // The session of that owner that names itself automatically; nil when none. A database or
  // dataset made on that owner takes it (its session name) as it is made.
  static TttSession* AutoNamedSessionOf(const TComponent* owner);
  void MarkDefault() { default_ = true; }
  int SessionNumber() const { return sessionNumber_; }
  TttSessionlist& SessionList() const { return list_; }

  TNotifyEvent OnStartup;
  TPasswordEvent OnPassword;
  TDatabaseNotifyEvent OnDatabaseEvent;

  // --- Operations ---
  void LockSession();
  void UnlockSession();
  // With a handle, the engine's current session becomes this one; without, the session starts.
  void MakeCurrent();
  TBaseSession* GetHandle();
  void CheckInactive() const;

  void GetAliasParams(const AnsiString& alias, TStrings& list);
  void GetDriverParams(const AnsiString& driver, TStrings& list);
  // Restore mode: put the saved configuration mode back afterwards.
  void AddAlias(const AnsiString& name, const AnsiString& driver, bool restoreMode, uint32_t configMode,
                TStrings& params);
  void DeleteAlias(const AnsiString& name);

  // Text into the engine's character set (at most maxLength characters, zero-terminated) and back.
  void ToEngineText(const AnsiString& text, size_t maxLength, char* buffer);
  AnsiString FromEngineText(const char* text);

  void DatabaseNotify(DatabaseEvent event, const AnsiString& name);

  // --- Passwords ---
  // The passwords given in this session, each once.
  void AddPassword(const AnsiString& password);
  const std::vector<AnsiString>& Passwords() const { return passwords_; }
  // Asked when a table needs more rights: OnPassword when assigned (its Continue answers),
  // else the framework's password dialog, whose answer joins the password list. True when the
  // operation is to be tried again.
  bool GetPassword();

  // --- Databases ---
  void AddDatabase(TttDatabase* database);
  void RemoveDatabase(TttDatabase* database);
  int DatabaseCount() const { return static_cast<int>(databases_.size()); }
  TttDatabase* Databases(int index) const { return databases_.at(static_cast<size_t>(index)); }
  // The first database named so (or temporary), case ignored, other than `except`; nil when none.
  TttDatabase* FindDatabase(const AnsiString& name, const TttDatabase* except = nullptr) const;
  // First a handle-sharing database of that name owned by the owner; otherwise as above.
  TttDatabase* FindDatabaseOf(const AnsiString& name, const TComponent* owner) const;
  // The handle of the first connected, handle-sharing database of that name; nil when none.
  TBaseDatabase* FindDatabaseHandle(const AnsiString& name) const;
  // The database of that name, made (temporary) when there is none, opened and counted.
  TttDatabase* OpenDatabase(const AnsiString& name, const TComponent* owner = nullptr);
  // Uncounts it; the last user of a database without KeepConnection closes (frees, when
  // temporary) it.
  void CloseDatabase(TttDatabase* database);
  // Closes the engine's database unless another database of this session uses the same handle.
  void CloseDatabaseHandle(TttDatabase* database);

  // LockSession for one scope.
  class Lock {
   public:
    explicit Lock(TttSession& session) : session_(session) { session_.LockSession(); }
    ~Lock() { session_.UnlockSession(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    TttSession& session_;
  };

 protected:
  void Loaded() override;
  void DoDestroy() override;
  // True starts the session (the default session the engine first), False stops it.
  virtual void StartSession(bool value);

 private:
  void initializeEngine();
  void stopSession();
  void validateAutoSession(TComponent* owner, bool enabling);
  void makeSessionName();
  void updateSessionNames();
  void setConfigProperty(uint32_t mode);
  void getConfigParams(const char* pathFormat, const AnsiString& name, TStrings& list);

  TttSessionlist& list_;
  TBaseSession* handle_ = nullptr;
  bool default_ = false;
  bool autoSessionName_ = false;
  bool keepConnections_ = true;
  bool sqlHourGlass_ = true;
  bool streamedActive_ = false;
  bool namingItself_ = false;
  int lockCount_ = 0;
  int sessionNumber_ = -1;
  AnsiString sessionName_;
  AnsiString netFileDir_;
  AnsiString privateDir_;
  std::vector<TttDatabase*> databases_;
  std::vector<AnsiString> passwords_;
};
