#include "recordmgr/DBListTable.h"

#include <cstring>

#include "recordmgr/BaseCfgrecord.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/DatabaseDescription.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/RightsRegistry.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr uint32_t kListMode = 1;
constexpr const char* kDbInfo = "DB INFO";
constexpr size_t kNameStart = 11;  // after "\DATABASES\"
constexpr const char* kAliasesKey = "\\Aliases";

// A string value, empty when it is missing or of another type.
AnsiString readText(const TRightsRegistry& registry, const char* name) {
  if (registry.GetDataType(name) != qn::os::RegistryDataType::String) return {};
  return registry.ReadString(name);
}

}  // namespace

TBaseDBListTable::TBaseDBListTable(TBaseSession* session, uint32_t rootKey, const char* registryPath,
                                   const char* driverType, TKorvoCollection* configRecords, TKorvoCollection* list)
    : TBaseTable(session, kListMode, kListMode, nullptr, driverType, list),
      session_(session),
      rootKey_(rootKey),
      registryPath_(registryPath ? registryPath : ""),
      driverType_(driverType ? driverType : ""),
      configRecords_(configRecords) {
  recordSize_ = sizeof(DatabaseDescription);
}

void TBaseDBListTable::GetNextRecord(uint16_t, void* record, void*) {
  auto& description = *static_cast<DatabaseDescription*>(CheckParam(record));
  std::memset(&description, 0, sizeof description);
  while (configRecords_ && configPosition_ < configRecords_->Count()) {
    const auto& config = *static_cast<const TBaseCfgrecord*>(configRecords_->Items(configPosition_++));
    if (config.Key().find(kDbInfo) == AnsiString::npos) continue;
    const AnsiString rest = config.Key().size() > kNameStart ? config.Key().substr(kNameStart) : AnsiString();
    CopyTextZ(description.Name, rest.substr(0, rest.find('\\')), DatabaseDescription::NameSize - 1);
    const char* path = config.FindValue({"PATH", "PhysicalName"});
    CopyTextZ(description.Path, path ? path : "", DatabaseDescription::PathSize - 1);
    CopyTextZ(description.DriverType, driverType_, DatabaseDescription::NameSize - 1);
    state_ = csOnRecord;
    return;
  }
  RaiseEngineEOF();
}

TRegDBListTable::~TRegDBListTable() = default;

void TRegDBListTable::Activate() {
  RestartConfigRecords();
  keyPosition_ = 0;
  keyNames_.clear();
  registry_ = std::make_unique<TRightsRegistry>(RootKey());
  registry_->SetAccess(qn::os::KEY_READ);
  if (registry_->OpenKey(RegistryPath() + kAliasesKey, false)) keyNames_ = registry_->GetKeyNames();
  state_ = csOpen;
}

void TRegDBListTable::Deactivate() {
  if (state_ == csClosed) return;
  state_ = csClosed;
  registry_.reset();
}

void TRegDBListTable::GetNextRecord(uint16_t lock, void* record, void* properties) {
  if (keyPosition_ == 0) {
    try {
      return TBaseDBListTable::GetNextRecord(lock, record, properties);
    } catch (const EKorvoBoundryError&) {
      // The configured databases are done; the registry's follow.
    }
  }
  auto& description = *static_cast<DatabaseDescription*>(CheckParam(record));
  if (!registry_ || keyPosition_ >= keyNames_.size()) RaiseEngineEOF();
  std::memset(&description, 0, sizeof description);
  const AnsiString& name = keyNames_[keyPosition_++];
  if (!registry_->OpenKey(RegistryPath() + kAliasesKey + "\\" + name, false)) RaiseEngineEOF();
  CopyTextZ(description.Name, name, DatabaseDescription::NameSize - 1);
  CopyTextZ(description.Description, readText(*registry_, "Description"), DatabaseDescription::NameSize - 1);
  AnsiString path = readText(*registry_, "PhysicalName").substr(0, DatabaseDescription::PathSize - 1);
  if (!path.empty() && !Session()->KeepPaths()) path = AddTrailingBackslash(path);
  CopyTextZ(description.Path, path, DatabaseDescription::PathSize - 1);
  CopyTextZ(description.DriverType, DriverType(), DatabaseDescription::NameSize - 1);
  state_ = csOnRecord;
}
