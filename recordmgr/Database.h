#pragma once
// TttDatabase: a database (an alias of the engine or a folder) connected through its session.
// It holds the engine's database handle, may share it with another database component of the
// same name, resolves the login (the framework's login dialog, or OnLogin), and runs the
// engine's transactions on its handle.
//
// The binding gives the session list to the constructor and decides the login prompt's default
// (SetLoginPrompt), as a base constructor cannot reach the binding's operations in C++.
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/base/Component.h"
#include "framework/base/StringList.h"

class TBaseDatabase;
class TttDBDataset;
class TVirtEng;
class TttSession;
class TttSessionlist;

namespace database_texts {
inline constexpr const char* kDatabaseNameMissing = "Database name missing";
inline constexpr const char* kDuplicateDatabaseName = "Duplicate database name '%s'";
inline constexpr const char* kLoginFailure = "Cannot connect to database '%s'";
inline constexpr const char* kHandleOfOtherSession = "Database handle owned by a different session";
inline constexpr const char* kDatabaseClosed = "Cannot perform this operation on a closed database";
inline constexpr const char* kDatabaseOpen = "Cannot perform this operation on an open database";
}  // namespace database_texts

class TttDatabase : public TComponent {
  QN_CLASS(TttDatabase, TComponent)
 public:
  static constexpr uint32_t PropertyDatabaseType = 0x40002;
  static constexpr size_t DatabaseTypeMax = 31;
  static constexpr uint32_t EndCommit = 0;
  static constexpr uint32_t EndRollback = 2;

  using TLoginEvent = std::function<void(TttDatabase* database, TStrings& loginParams)>;

  TttDatabase(TComponent* owner, TttSessionlist& list);
  ~TttDatabase() override;

  // --- Properties ---
  bool Connected() const { return handle_ != nullptr; }
  void SetConnected(bool value);
  const AnsiString& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const AnsiString& value);
  // Empty unless an alias was named.
  AnsiString AliasName() const { return aliasFlag_ ? aliasName_ : AnsiString(); }
  void SetAliasName(const AnsiString& value);
  const AnsiString& SessionName() const { return sessionName_; }
  void SetSessionName(const AnsiString& value);
  TStrings& Params() { return params_; }
  void SetParams(const TStrings& value);
  bool Exclusive() const { return exclusive_; }
  void SetExclusive(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool HandleShared() const { return handleShared_; }
  void SetHandleShared(bool value);
  bool KeepConnection() const { return keepConnection_; }
  void SetKeepConnection(bool value);
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool value) { loginPrompt_ = value; }
  uint32_t IsolationLevel() const { return isolationLevel_; }
  void SetIsolationLevel(uint32_t value) { isolationLevel_ = value; }
  bool Temporary() const { return temporary_; }
  void SetTemporary(bool value) { temporary_ = value; }
  int ReferenceCount() const { return referenceCount_; }
  void SetReferenceCount(int value) { referenceCount_ = value; }
  bool IsSQLBased() const { return sqlBased_; }
  TBaseDatabase* Handle() const { return handle_; }
  TttSession* Session() const { return session_; }
  TVirtEng* Engine() const;

  TLoginEvent OnLogin;

  // --- Operations ---
  void Open();
  void Close();
  void CheckActive() const;
  void CheckInactive();
  void StartTransaction();
  void Commit();
  void Rollback();
  bool InTransaction();
  // The session is going: forget it.
  void SessionGone() { session_ = nullptr; }

  // --- Datasets connected through this database ---
  void AddDataset(TttDBDataset* dataset);
  void RemoveDataset(TttDBDataset* dataset);
  int DataSetCount() const { return static_cast<int>(datasets_.size()); }
  TttDBDataset* DataSets(int index) const { return datasets_.at(static_cast<size_t>(index)); }
  // Disconnects every dataset, the last first.
  void CloseDatasets();
  // While Close disconnects the datasets, their giving the database back must not close or free it.
  bool ClosingDatasets() const { return closingDatasets_; }

 protected:
  void Loaded() override;

 private:
  void checkDatabaseName() const;
  void checkSessionName(bool required);
  void validateDatabaseName(const AnsiString& name);
  bool takeSharedHandle();
  AnsiString resolveLogin();
  void readDatabaseType();
  void endTransaction(uint32_t mode);

  TttSessionlist& list_;
  TttSession* session_ = nullptr;
  TBaseDatabase* handle_ = nullptr;
  AnsiString databaseName_;
  AnsiString aliasName_;
  AnsiString sessionName_;
  StringList params_;
  bool aliasFlag_ = false;
  bool exclusive_ = false;
  bool readOnly_ = false;
  bool handleShared_ = false;
  bool keepConnection_ = true;
  bool loginPrompt_ = true;
  bool temporary_ = false;
  bool sqlBased_ = false;
  bool acquiredHandle_ = false;
  bool addedAlias_ = false;
  bool streamedConnected_ = false;
  bool closingDatasets_ = false;
  std::vector<TttDBDataset*> datasets_;
  uint32_t isolationLevel_ = 1;
  int referenceCount_ = 0;
};
