#pragma once
// The alias lists of a session: read-only cursors whose records are database descriptions
// (DatabaseDescription.h), produced from memory and from the registry rather than read from a
// file. Only forward reading is offered; a list never rewinds: Deactivate and Activate start
// the alias list over.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/RightsRegistry.h"

class TBaseSession;

// TBaseDBListTable: the databases configured at run time (the session's configuration records
// under "\DATABASES\<name>\DB INFO").
class TBaseDBListTable : public TBaseTable {
  QN_CLASS(TBaseDBListTable, TBaseTable)
 public:
  // Open and share mode 1; the table name is the driver type. The session is the owner.
  TBaseDBListTable(TBaseSession* session, uint32_t rootKey, const char* registryPath, const char* driverType,
                   TKorvoCollection* configRecords, TKorvoCollection* list);

  void DoClose() override { Deactivate(); }
  // The next configuration record whose key holds "DB INFO": its name, the value of its first
  // parameter named "PATH" or "PhysicalName" as the path, and the driver type. None left: end of
  // file.
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;

 protected:
  TBaseSession* Session() const { return session_; }
  uint32_t RootKey() const { return rootKey_; }
  const AnsiString& RegistryPath() const { return registryPath_; }
  const AnsiString& DriverType() const { return driverType_; }
  void RestartConfigRecords() { configPosition_ = 0; }

 private:
  TBaseSession* session_;
  uint32_t rootKey_;
  AnsiString registryPath_;
  AnsiString driverType_;
  TKorvoCollection* configRecords_;
  int configPosition_ = 0;
};

// TRegDBListTable: the configured databases first, then the aliases of the registry (the
// subkeys of the registry path's "Aliases", in the registry's order).
class TRegDBListTable : public TBaseDBListTable {
  QN_CLASS(TRegDBListTable, TBaseDBListTable)
 public:
  using TBaseDBListTable::TBaseDBListTable;
  ~TRegDBListTable() override;

  // Both positions to the start and the alias keys read; a key that cannot be opened leaves the
  // list without registry aliases.
  void Activate() override;
  void Deactivate() override;
  // A registry alias: its key name, "Description" (31 characters) and "PhysicalName" (260,
  // ending in a separator unless the session keeps paths as they are). After the last: end of
  // file.
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;

 private:
  std::vector<AnsiString> keyNames_;
  size_t keyPosition_ = 0;
  std::unique_ptr<TRightsRegistry> registry_;
};
