#pragma once
// TBaseSession: the driver-independent engine session. It resolves database names (aliases or
// directories) into database descriptions and opens databases through its driver, keeps the
// configuration records that aliases added at run time live in, lists the registry's aliases,
// answers the configuration list of an alias, converts text between the engine's OEM character
// set and ANSI, and reports session information. A driver session supplies the registry root,
// DoStart and CreateDatabase.
//
// Sessions are created through CreateSession (the facade's driver session class), which runs
// DoStart once the driver's part of the object stands.
//
// Decisions where this session differs from the plainest reading of its design:
// - AddAlias and WriteAliasParams refuse (invalid parameter) a parameter text that ends inside
//   quotes or whose values would not fit the value buffer (AliasParams.h); nothing is added.
// - CountTableUse counts a database that has no cursor on the table as 0 instead of failing with
//   no-such-table, so that one database without the table does not hide the others' count.
// - A directory name counts as a path when it holds '/', as Linux folders are paths here.
// - Configuration list rows are appended to the list rather than inserted: an in-memory table
//   inserts before its current record, which would turn the rows around.
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "recordmgr/BapiListItem.h"
#include "recordmgr/DatabaseDescription.h"
#include "recordmgr/FieldDescriptor.h"
#include "recordmgr/KorvoCollection.h"
#include "recordmgr/SessionRecords.h"

class TBaseDatabase;
class TBaseTable;
namespace qn::os {
class RegistryKey;
}

class TBaseSession : public TBapiListItem {
  QN_CLASS(TBaseSession, TBapiListItem)
 public:
  static constexpr size_t NameMax = 31;
  static constexpr size_t DirectoryMax = 260;
  static constexpr size_t RegistryPathMax = 255;
  // Session properties.
  static constexpr uint32_t PropertyCurrentDirectory = 0x20002;
  static constexpr uint32_t PropertyValue = 0x20003;
  static constexpr uint32_t PropertyValueAlso = 0x2000C;

  // The facade owns the session. A directory (nil: none) becomes both the network and the
  // private directory; the name (nil: none) is kept to 31 characters.
  TBaseSession(TBapiListItem* facade, const char* directory, const char* name, TKorvoCollection* list);
  ~TBaseSession() override;  // frees the databases (with their cursors), the records and the lists

  // --- The session's fields ---
  uint32_t RootKey() const { return rootKey_; }
  const AnsiString& RegistryPath() const { return registryPath_; }
  // When set, paths read from the registry or given as database names are used as they are;
  // otherwise a "\" is appended to a path that ends in no separator.
  bool KeepPaths() const { return keepPaths_; }
  void SetKeepPaths(bool keep) { keepPaths_ = keep; }
  uint16_t LockWait() const { return lockWait_; }
  TKorvoCollection* Databases() const { return databases_; }
  TKorvoCollection* ConfigRecords() const { return configRecords_; }
  // The session's list tables and in-memory tables.
  TKorvoCollection* Objects() const { return objects_; }
  uint16_t SessionWord() const { return sessionWord_; }
  const char* NetworkDirectory() const { return networkDirectory_; }
  const char* PrivateDirectory() const { return privateDirectory_; }

  // The two flags of the character conversions.
  void SetCharsetOptions(bool ignoreOemToAnsi, bool ignoreAnsiToOem);
  // Up to 31 characters; nil clears the name.
  void SetSessionName(const char* name);
  const char* GetSessionName() const { return name_; }
  // Up to 260 characters; nil clears the directory.
  void SetPrivateDirectory(const char* directory);

  // --- Virtual operations, in the engine's order (ReservedN: slot N from 1, a role this layer
  // does not define and the facade never calls; those without a comment are not supported) ---
  // 0x20002: the process's current directory (length: text length + 1); 0x20003 and 0x2000C:
  // the 32-bit property value; any other is not supported.
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  // 0x20003 and 0x2000C store the value; others are ignored.
  void SetProperty(uint32_t property, uint32_t value) override;
  virtual void SetSessionWord(uint16_t value) { sessionWord_ = value; }
  // The driver's start-up work; run by CreateSession once the session stands.
  virtual void DoStart() {}
  virtual int32_t Reserved7() { return 0; }
  // Cleared, then the session number, name, database and cursor counts and the directories.
  virtual void FillSessionInfo(SessionInfo& info);
  virtual AnsiString GetDriverName() { return "KORVO"; }
  // A description not resolved by alias gets the driver type "STANDARD".
  virtual void SetDefaultDriverType(bool byAlias, DatabaseDescription& description);
  // A path (':', '\', '/', or failing those '.') becomes the description "PATH" of that
  // directory; any other name is looked up in the alias list, unknown database (10014) with
  // the name when it is not there.
  virtual void ResolveAlias(const char* name, DatabaseDescription& description, bool byAlias);
  virtual void ResolveName(const char* name, DatabaseDescription& description);
  virtual void Reserved13();
  virtual void Reserved14();
  virtual void Reserved15();
  virtual void Reserved16();
  virtual void Reserved17();
  virtual void Reserved18();
  // The driver's database object for a resolved description; not supported in the base.
  virtual void CreateDatabase(const DatabaseDescription& description, const char* databaseType, uint32_t openMode,
                              uint32_t shareMode, const char* password, uint16_t paramCount,
                              const FieldDescriptor* paramDescriptors, const void* paramValues,
                              TBaseDatabase*& database);
  // A nil name raises invalid parameter; otherwise the name resolved by alias and the database
  // created by the driver.
  virtual void OpenDatabase(const char* name, const char* databaseType, uint32_t openMode, uint32_t shareMode,
                            const char* password, uint16_t paramCount, const FieldDescriptor* paramDescriptors,
                            const void* paramValues, TBaseDatabase*& database);
  virtual void Reserved21(uint32_t& value) { value = 0; }
  // Clears a 156-byte record.
  virtual void Reserved22(uint32_t reserved, void* record);
  // The configured databases, then the registry's aliases: an active TRegDBListTable in the
  // session's object list.
  virtual void OpenAliasList(TBaseTable*& list);
  // Frees the list and sets the reference to nil.
  virtual void CloseList(TBaseTable*& list);
  virtual void Reserved25() {}
  // The place of the driver's registry path text.
  virtual void Reserved26(uint32_t reserved, const char*& text) { text = registryPath_.c_str(); }
  virtual void Reserved27();
  // With the flag, the number of cursors of the session's databases open on the table;
  // without, 0.
  virtual void CountTableUse(bool count, const char* tableName, uint32_t& total);
  virtual void Reserved29();
  virtual void Reserved30();
  virtual void Reserved31();
  virtual void Reserved32();
  virtual void Reserved33();
  virtual void Reserved34();
  // Converts count characters of source into destination (copies them with the flag that
  // ignores the conversion); length is set to 0.
  virtual void NativeToAnsi(char* destination, uint32_t& length, uint32_t count, const char* source);
  virtual void AnsiToNative(char* destination, uint32_t& length, uint32_t count, const char* source);
  // Not supported in the base.
  virtual void RegisterCallback(TBaseTable* cursor, uint16_t callbackType, uintptr_t clientData, uint16_t bufferLength,
                                void* buffer, void* callback);
  virtual void Reserved38();
  virtual void Reserved39();
  virtual void Reserved40();
  virtual void Reserved41();
  virtual void Reserved42() {}
  // Clears a 32-byte record.
  virtual void Reserved43(void* record);
  // Clears a 346-byte record, then its first and third 16-bit words := -1.
  virtual void Reserved44(void* record);
  // Clears a 327-byte record, then the number of sessions of the facade (a word at 32) and the
  // network directory (at 34).
  virtual void Reserved45(void* record);
  // Raises 9491.
  virtual void Reserved46();
  // Clears a 14-byte record, then the number of sessions of the facade (a word at 8).
  virtual void Reserved47(void* record);
  // FillSessionInfo, then the lock wait.
  virtual void GetSessionInfo(SessionInfo& info);
  // The network user's name into a record of at least 256 characters.
  virtual void Reserved49(char* record);
  // The pairs of the parameter text become the configuration record "\DATABASES\" + name +
  // "\DB INFO", unless a record with that key exists (the first parameters stay). The driver
  // type and the persistent flag are a driver's to use.
  virtual void AddAlias(const char* name, const char* driverType, const char* params, bool persistent);
  // Not supported in the base.
  virtual void DeleteAlias(const char* name);
  // Writes each pair of the parameter text as a string value into the registry's current key.
  virtual void WriteAliasParams(qn::os::RegistryKey& registry, const char* params);
  // The alias's key under the registry path's "Aliases" on HKEY_LOCAL_MACHINE, created when
  // missing, receives the pairs.
  virtual void SaveAliasToRegistry(const char* name, const char* params);
  virtual void DeleteAliasFromRegistry(const char* name);
  // The rows (ConfigListRecord) of the configuration list named by the list table's name
  // ("\DATABASES\<alias>\DB OPEN" or "...\DB INFO"): for a directory one "PATH" row; for an
  // alias of the registry a row per string or integer value of its key in the key's order, the
  // first "USER" value named "USER NAME"; then an empty "USER NAME" row unless one was given.
  // Another name, or an alias without a key, leaves the list empty. The list is left open and
  // not positioned.
  virtual void FillConfigList(TBaseTable& list);
  virtual void Reserved56();
  virtual void Reserved57();
  virtual void Reserved58();
  virtual void Reserved59();
  // Returns when some configuration record's key contains the key; otherwise end of file.
  virtual void ConfigExists(const char* key);
  virtual void Reserved61();
  // The configuration record whose key equals the key: its field count, its descriptors (count
  // × 62 bytes) and values (ValueSize bytes) into the buffers given; none: end of file.
  virtual void ReadConfig(const char* key, void* values, FieldDescriptor* descriptors, uint16_t& count);
  // A new configuration record with these data, unless one with the key exists.
  virtual void WriteConfig(const char* key, const void* values, const FieldDescriptor* descriptors, uint16_t count);
  // The record whose key equals the key gets the data; none: record not found (8710) with the key.
  virtual void UpdateConfig(const char* key, const void* values, const FieldDescriptor* descriptors, uint16_t count);
  // Frees every record whose key contains the key, the last first; none: record not found (8710)
  // with the key.
  virtual void DeleteConfig(const char* key);
  virtual void Reserved66();
  virtual void Reserved67();
  virtual void Reserved68();
  virtual void Reserved69();
  virtual void Reserved70();
  virtual void Reserved71();

  // The configuration list of the path: an in-memory table of ConfigListRecord rows in the
  // session's object list, filled by FillConfigList.
  void OpenConfigList(const char* path, TBaseTable*& list);

 protected:
  // The key of the configuration record AddAlias makes for an alias: "\DATABASES\<name>\DB INFO".
  static AnsiString AliasConfigKey(const char* name);
  // The driver's place in the registry: a root key and a path such as "\Software\Korvo\Btrieve".
  void SetRegistryRoot(uint32_t rootKey, const AnsiString& path);
  void SetLockWait(uint16_t wait) { lockWait_ = wait; }

 private:
  // The configuration record whose key equals the key; nil without one.
  class TBaseCfgrecord* findConfig(const char* key) const;
  // The same without regard to case: alias names are matched so.
  const class TBaseCfgrecord* findConfigNoCase(const char* key) const;

  uint32_t rootKey_ = 0;
  AnsiString registryPath_;
  bool ignoreAnsiToOem_ = false;
  bool ignoreOemToAnsi_ = false;
  uint16_t lockWait_ = 0;
  bool keepPaths_ = false;
  TKorvoCollection* databases_;
  TKorvoCollection* configRecords_;
  uint16_t sessionWord_ = 0;
  char name_[NameMax + 1] = {};
  char networkDirectory_[DirectoryMax + 1] = {};
  char privateDirectory_[DirectoryMax + 1] = {};
  TKorvoCollection* objects_;
  uint32_t propertyValue_ = 0;
};

// Creates a session of class Session and runs its DoStart; a session whose start fails is freed
// and the error passes on. Its address is the facade's driver session class.
template <class Session>
TBapiListItem* CreateSession(TBapiListItem* facade, const char* directory, const char* name, TKorvoCollection* list) {
  auto* session = new Session(facade, directory, name, list);
  try {
    session->DoStart();
  } catch (...) {
    delete session;
    throw;
  }
  return session;
}
