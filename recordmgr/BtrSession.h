#pragma once
// TBtrSession: the record manager's session. Created on the main thread it reads the record
// manager's configuration (read-only, from the "Configuration" subkeys of HKEY_LOCAL_MACHINE
// "\Software\Korvo\Btrieve"), loads the record manager's library and sets the converter options; it
// carries the 16-byte client identifier every call of its databases and tables names, and opens
// databases on folders and aliases. Freeing it ends its client (when it made a database) and, as
// the last session on the main thread, stops the record manager.
//
// Client identifier: bytes 0-11 zero, 12 'A' + milliseconds mod 26, 13 'A' + seconds mod 26, 14
// the hour, 15 the minute of the creation time. Two sessions alive together never share one: a
// new session whose identifier equals a live session's moves byte 12 on to the next letter until
// it is unique (they would otherwise be one client, sharing locks and transactions).
#include <array>
#include <cstdint>
#include <optional>

#include "framework/base/AnsiString.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/MainThread.h"
#include "recordmgr/WinBtr.h"

// The registry key of a configuration subkey ("Btrieve Client", "Intl", "Fields", ...).
AnsiString SessionConfigurationKey(const AnsiString& subkey);

class TBtrSession : public TBaseSession {
  QN_CLASS(TBtrSession, TBaseSession)
 public:
  static constexpr const char* RegistryBase = "\\Software\\Korvo\\Btrieve";
  static constexpr size_t OptionsMax = 255;

  // A load failure raises the record manager's status (20 for a missing library) with the
  // options text as key text.
  TBtrSession(TBapiListItem* facade, const char* directory, const char* name, TKorvoCollection* list);
  ~TBtrSession() override;

  const uint8_t* ClientId() const { return clientId_.data(); }
  // What the configuration gave the record manager's start: the initialisation text and the
  // library name (lower case; empty: the default library).
  const AnsiString& InitText() const { return initText_; }
  const AnsiString& LibraryName() const { return libraryName_; }
  bool UsedClient() const { return usedClient_; }

  AnsiString GetDriverName() override;
  // An empty name is the current directory; other names as the abstract session resolves them.
  void ResolveAlias(const char* name, DatabaseDescription& description, bool byAlias) override;
  // An alias added at run time (AddAlias) goes from the session's configuration records; a name
  // without one raises record not found (8710) with its key.
  void DeleteAlias(const char* name) override;
  void CreateDatabase(const DatabaseDescription& description, const char* databaseType, uint32_t openMode,
                      uint32_t shareMode, const char* password, uint16_t paramCount,
                      const FieldDescriptor* paramDescriptors, const void* paramValues,
                      TBaseDatabase*& database) override;

 protected:
  // A database of the session calls the record manager under the session's client.
  void MarkClientUsed() { usedClient_ = true; }

 private:
  // The name and directory the session is created with: those given, else the configuration's.
  struct Defaults {
    std::optional<AnsiString> directory;
    std::optional<AnsiString> name;
  };
  static Defaults defaultsFor(const char* directory, const char* name);
  TBtrSession(TBapiListItem* facade, const Defaults& defaults, TKorvoCollection* list);

  void loadEngine();
  void readConversionOptions();
  void makeClientId();

  std::array<uint8_t, TWinBtr::ClientIdSize> clientId_{};
  AnsiString initText_;
  AnsiString libraryName_;
  bool usedClient_ = false;
};
