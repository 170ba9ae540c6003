#include "recordmgr/SSQLDatabaseTable.h"

#include <cstring>
#include <memory>

#include "framework/base/StringUtils.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/DBListObject.h"
#include "recordmgr/DBListTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/SqlInterface.h"

TSSQLDatabaseTable::TSSQLDatabaseTable(TBaseSession* session, const char* tableName,
                                       TKorvoCollection* configRecords, TKorvoCollection* list)
    : TBaseTable(session, 1, 1, nullptr, tableName, list),
      session_(session),
      configRecords_(configRecords),
      entries_(new TKorvoCollection) {}

TSSQLDatabaseTable::~TSSQLDatabaseTable() { delete entries_; }

void TSSQLDatabaseTable::DoOpen() {
  addConfigured();
  addSqlDatabases(false);
  addSqlDatabases(true);
  position_ = 0;
}

void TSSQLDatabaseTable::addConfigured() {
  std::unique_ptr<TRegDBListTable> configured(CreateCursor<TRegDBListTable>(
      session_, session_->RootKey(), session_->RegistryPath().c_str(), BtrieveDriverName, configRecords_, nullptr));
  configured->Activate();
  DatabaseDescription description{};
  try {
    for (;;) {
      configured->GetNextRecord(0, &description, nullptr);
      entries_->Add(new TDBListObject(description));
    }
  } catch (const EKorvoBoundryError&) {
  }
}

void TSSQLDatabaseTable::addSqlDatabases(bool remote) {
  const SqlNameEntryPoints& names = SqlNameCalls();
  const auto count = remote ? names.CountRemoteNames : names.CountNames;
  const auto next = remote ? names.RemoteNames : names.Names;
  if (count == nullptr || next == nullptr) return;
  uint16_t total = 0;
  if (count(&total) != 0) return;
  char name[NameBufferSize] = {};
  for (uint16_t i = 0; i < total; ++i) {
    uint16_t length = NameBufferSize;
    if (next(&length, name) != 0) return;
    const AnsiString atName = "@" + Trim(AnsiString(name, strnlen(name, NameBufferSize)));
    DatabaseDescription description{};
    CopyTextZ(description.Name, atName, DatabaseDescription::NameSize - 1);
    CopyTextZ(description.Description, remote ? "REMOTE" : "LOCAL", DatabaseDescription::NameSize - 1);
    CopyTextZ(description.Path, atName, DatabaseDescription::PathSize - 1);
    CopyTextZ(description.DriverType, BtrieveDriverName, DatabaseDescription::NameSize - 1);
    entries_->Add(new TDBListObject(description));
  }
}

void TSSQLDatabaseTable::GetNextRecord(uint16_t, void* record, void*) {
  CheckParam(record);
  if (position_ >= entries_->Count() || entries_->At(position_) == nullptr) RaiseEngineEOF();
  const auto* entry = static_cast<const TDBListObject*>(entries_->At(position_++));
  std::memcpy(record, &entry->Description(), sizeof(DatabaseDescription));
}
