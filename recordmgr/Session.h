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
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "recordmgr/BapiListItem.h"

class TBaseSession;
class TStrings;
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

 protected:
  void Loaded() override;
  void DoDestroy() override;
  // True starts the session (the default session the engine first), False stops it.
  virtual void StartSession(bool value);

 private:
  class Lock;
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
};
