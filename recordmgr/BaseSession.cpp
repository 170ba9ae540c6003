#include "recordmgr/BaseSession.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "framework/base/OemText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "recordmgr/BaseCfgrecord.h"
#include "recordmgr/BaseDatabase.h"
#include "recordmgr/DBListTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr const char* kPathAlias = "PATH";
constexpr const char* kStandardDriverType = "STANDARD";

AnsiString currentDirectory() {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::current_path(error);
  return error ? AnsiString() : AnsiString(directory.string());
}

bool keyContains(const TBaseCfgrecord& record, const char* key) {
  return record.Key().find(key) != AnsiString::npos;
}

TBaseDatabase& databaseAt(const TKorvoCollection& databases, int index) {
  return *static_cast<TBaseDatabase*>(databases.Items(index));
}

TBaseCfgrecord& recordAt(const TKorvoCollection& records, int index) {
  return *static_cast<TBaseCfgrecord*>(records.Items(index));
}

}  // namespace

TBaseSession::TBaseSession(TBapiListItem* facade, const char* directory, const char* name, TKorvoCollection* list)
    : TBapiListItem(facade, list),
      databases_(new TKorvoCollection),
      configRecords_(new TKorvoCollection),
      objects_(new TKorvoCollection) {
  SetSessionName(name);
  if (directory) {
    CopyTextZ(networkDirectory_, directory, DirectoryMax);
    CopyTextZ(privateDirectory_, directory, DirectoryMax);
  }
}

// The object list goes first: its list tables read the configuration records and databases.
TBaseSession::~TBaseSession() {
  delete objects_;
  delete databases_;
  delete configRecords_;
}

void TBaseSession::SetCharsetOptions(bool ignoreOemToAnsi, bool ignoreAnsiToOem) {
  ignoreOemToAnsi_ = ignoreOemToAnsi;
  ignoreAnsiToOem_ = ignoreAnsiToOem;
}

void TBaseSession::SetSessionName(const char* name) { CopyTextZ(name_, name ? name : "", NameMax); }

void TBaseSession::SetPrivateDirectory(const char* directory) {
  CopyTextZ(privateDirectory_, directory ? directory : "", DirectoryMax);
}

void TBaseSession::SetRegistryRoot(uint32_t rootKey, const AnsiString& path) {
  rootKey_ = rootKey;
  registryPath_ = path.substr(0, RegistryPathMax);
}

void TBaseSession::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  switch (property) {
    case PropertyCurrentDirectory: {
      const AnsiString directory = currentDirectory();
      AnswerProperty(buffer, bufferSize, directory.c_str(), static_cast<uint16_t>(directory.size() + 1), length);
      break;
    }
    case PropertyValue:
    case PropertyValueAlso:
      AnswerProperty(buffer, bufferSize, &propertyValue_, sizeof propertyValue_, length);
      break;
    default:
      RaiseNotSupported(EngineOperationText::Property);
  }
}

void TBaseSession::SetProperty(uint32_t property, uint32_t value) {
  if (property == PropertyValue || property == PropertyValueAlso) propertyValue_ = value;
}

void TBaseSession::FillSessionInfo(SessionInfo& info) {
  std::memset(&info, 0, sizeof info);
  info.SessionNumber = static_cast<uint16_t>(IndexInList());
  CopyTextZ(info.Name, name_, NameMax);
  info.DatabaseCount = static_cast<uint16_t>(databases_->Count());
  int cursors = 0;
  for (int i = 0; i < databases_->Count(); ++i) cursors += databaseAt(*databases_, i).CursorList()->Count();
  info.CursorCount = static_cast<uint16_t>(cursors);
  CopyTextZ(info.NetworkDirectory, networkDirectory_, DirectoryMax);
  CopyTextZ(info.PrivateDirectory, privateDirectory_, DirectoryMax);
}

void TBaseSession::GetSessionInfo(SessionInfo& info) {
  FillSessionInfo(info);
  info.LockWait = lockWait_;
}

void TBaseSession::SetDefaultDriverType(bool byAlias, DatabaseDescription& description) {
  if (!byAlias) CopyTextZ(description.DriverType, kStandardDriverType, DatabaseDescription::NameSize - 1);
}

void TBaseSession::ResolveAlias(const char* name, DatabaseDescription& description, bool byAlias) {
  CheckParam(name);
  if (IsPathName(name, true)) {
    std::memset(&description, 0, sizeof description);
    CopyTextZ(description.Name, kPathAlias, DatabaseDescription::NameSize - 1);
    CopyTextZ(description.Description, kPathAlias, DatabaseDescription::NameSize - 1);
    const AnsiString path = keepPaths_ ? AnsiString(name) : AddTrailingBackslash(name);
    CopyTextZ(description.Path, path, DatabaseDescription::PathSize - 1);
    SetDefaultDriverType(false, description);
    return;
  }
  TBaseTable* list = nullptr;
  OpenAliasList(list);
  try {
    while (true) {
      try {
        list->GetNextRecord(0, &description, nullptr);
      } catch (const EKorvoBoundryError&) {
        RaiseEngineErrorText(DBIERR_UNKNOWNDB, name);
      }
      if (SameText(description.Name, name)) break;
    }
  } catch (...) {
    CloseList(list);
    throw;
  }
  CloseList(list);
  SetDefaultDriverType(byAlias, description);
}

void TBaseSession::ResolveName(const char* name, DatabaseDescription& description) {
  ResolveAlias(name, description, false);
}

void TBaseSession::CreateDatabase(const DatabaseDescription&, const char*, uint32_t, uint32_t, const char*, uint16_t,
                                  const FieldDescriptor*, const void*, TBaseDatabase*&) {
  RaiseNotSupported(EngineOperationText::CreateDatabase);
}

void TBaseSession::OpenDatabase(const char* name, const char* databaseType, uint32_t openMode, uint32_t shareMode,
                                const char* password, uint16_t paramCount, const FieldDescriptor* paramDescriptors,
                                const void* paramValues, TBaseDatabase*& database) {
  CheckParam(name);
  DatabaseDescription description{};
  ResolveAlias(name, description, true);
  CreateDatabase(description, databaseType, openMode, shareMode, password, paramCount, paramDescriptors, paramValues,
                 database);
}

void TBaseSession::OpenAliasList(TBaseTable*& list) {
  auto* aliases = CreateCursor<TRegDBListTable>(this, rootKey_, registryPath_.c_str(), GetDriverName().c_str(),
                                                configRecords_, objects_);
  try {
    aliases->Activate();
  } catch (...) {
    delete aliases;
    throw;
  }
  list = aliases;
}

void TBaseSession::CloseList(TBaseTable*& list) {
  delete list;
  list = nullptr;
}

// A database without a cursor on the table counts none; its no-such-table error must not hide
// the other databases' cursors.
void TBaseSession::CountTableUse(bool count, const char* tableName, uint32_t& total) {
  total = 0;
  if (!count) return;
  for (int i = 0; i < databases_->Count(); ++i) {
    uint32_t cursors = 0;
    try {
      databaseAt(*databases_, i).CountOpenCursors(tableName, cursors);
    } catch (const EKorvoEngineError& error) {
      if (error.ErrorCode() != DBIERR_NOSUCHTABLE) throw;
    }
    total += cursors;
  }
}

void TBaseSession::NativeToAnsi(char* destination, uint32_t& length, uint32_t count, const char* source) {
  length = 0;
  for (uint32_t i = 0; i < count; ++i) destination[i] = ignoreOemToAnsi_ ? source[i] : qn::oemCharToAnsi(source[i]);
}

void TBaseSession::AnsiToNative(char* destination, uint32_t& length, uint32_t count, const char* source) {
  length = 0;
  for (uint32_t i = 0; i < count; ++i) destination[i] = ignoreAnsiToOem_ ? source[i] : qn::ansiCharToOem(source[i]);
}

void TBaseSession::RegisterCallback(TBaseTable*, uint16_t, uintptr_t, uint16_t, void*, void*) {
  RaiseNotSupported(EngineOperationText::RegisterCallback);
}

void TBaseSession::DeleteAlias(const char*) { RaiseNotSupported(EngineOperationText::DeleteAlias); }

// --- Configuration records ---

TBaseCfgrecord* TBaseSession::findConfig(const char* key) const {
  for (int i = 0; i < configRecords_->Count(); ++i)
    if (recordAt(*configRecords_, i).Key() == key) return &recordAt(*configRecords_, i);
  return nullptr;
}

const TBaseCfgrecord* TBaseSession::findConfigNoCase(const char* key) const {
  for (int i = 0; i < configRecords_->Count(); ++i)
    if (SameText(recordAt(*configRecords_, i).Key(), key)) return &recordAt(*configRecords_, i);
  return nullptr;
}

void TBaseSession::ConfigExists(const char* key) {
  CheckParam(key);
  for (int i = 0; i < configRecords_->Count(); ++i)
    if (keyContains(recordAt(*configRecords_, i), key)) return;
  RaiseEngineEOF();
}

void TBaseSession::ReadConfig(const char* key, void* values, FieldDescriptor* descriptors, uint16_t& count) {
  const TBaseCfgrecord* record = findConfig(CheckParam(key));
  if (record == nullptr) RaiseEngineEOF();
  count = record->FieldCount();
  if (descriptors) std::memcpy(descriptors, record->Descriptors(), sizeof(FieldDescriptor) * count);
  if (values) std::memcpy(values, record->Values(), record->ValueSize());
}

void TBaseSession::WriteConfig(const char* key, const void* values, const FieldDescriptor* descriptors,
                               uint16_t count) {
  uint16_t present = 0;
  try {
    ReadConfig(key, nullptr, nullptr, present);
    return;
  } catch (const EKorvoBoundryError&) {
  }
  auto* record = new TBaseCfgrecord(this, configRecords_);
  record->SetKey(key);
  record->SetData(count, descriptors, values);
}

void TBaseSession::UpdateConfig(const char* key, const void* values, const FieldDescriptor* descriptors,
                                uint16_t count) {
  TBaseCfgrecord* record = findConfig(CheckParam(key));
  if (record == nullptr) RaiseEngineErrorText(DBIERR_RECNOTFOUND, key);
  record->SetData(count, descriptors, values);
}

void TBaseSession::DeleteConfig(const char* key) {
  CheckParam(key);
  bool found = false;
  for (int i = configRecords_->Count() - 1; i >= 0; --i) {
    if (!keyContains(recordAt(*configRecords_, i), key)) continue;
    delete &recordAt(*configRecords_, i);
    found = true;
  }
  if (!found) RaiseEngineErrorText(DBIERR_RECNOTFOUND, key);
}
