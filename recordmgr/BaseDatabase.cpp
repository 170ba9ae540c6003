#include "recordmgr/BaseDatabase.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "recordmgr/BaseListTable.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/MemTable.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr uint16_t kPropertyVersion = 0;
constexpr uint16_t kPropertyDriverType = 2;
constexpr uint16_t kVersion = 27;
constexpr uint32_t kOpenForOperation = 1;
constexpr uint16_t kAnyIndex = 0xFFFF;  // index number -1
constexpr size_t kComparedNameLength = 31;

[[noreturn]] void notSupported() { RaiseNotSupported(EngineOperationText::DatabaseOperation); }

TBaseTable* cursorAt(TKorvoCollection& list, int index) { return dynamic_cast<TBaseTable*>(list.Items(index)); }

// Frees a cursor the database opened for one operation, whatever happens.
struct OwnCursor {
  TBaseTable* cursor;
  ~OwnCursor() { delete cursor; }
};

}  // namespace

TBaseDatabase::TBaseDatabase(TBapiListItem* session, const char* const* paramValues, const char* const* paramNames,
                             uint16_t paramCount, const char* databaseName, uint32_t mode1, uint32_t mode2,
                             const DatabaseDescription* description, TKorvoCollection* list)
    : TBapiListItem(session, list), cursorList_(new TKorvoCollection) {
  SetParams(paramCount, paramNames, paramValues);
  if (description) description_ = *description;
  if (databaseName) CopyTextZ(name_, databaseName, DatabaseDescription::NameSize);
  SetModes(mode2, mode1);
}

TBaseDatabase::~TBaseDatabase() { delete cursorList_; }

void TBaseDatabase::BeforeDestruction() {
  cursorList_->FreeAll();
  CloseDown();
  TBapiListItem::BeforeDestruction();
}

void TBaseDatabase::SetTransactionValues(uint32_t transaction, uint32_t state) {
  transaction_ = transaction;
  transactionState_ = state;
}

void TBaseDatabase::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  switch (static_cast<uint16_t>(property)) {
    case kPropertyVersion:
      return AnswerProperty(buffer, bufferSize, &kVersion, sizeof kVersion, length);
    case kPropertyDriverType: {
      const char* type = GetDriverType();
      if (bufferSize > 0) CopyTextZ(static_cast<char*>(CheckParam(buffer)), type, bufferSize - 1u);
      length = static_cast<uint16_t>(std::strlen(type) + 1);
      return;
    }
    default:
      RaiseNotSupported(EngineOperationText::Property);
  }
}

void TBaseDatabase::CheckProperty(uint32_t property, bool flag) {
  if ((property == kPropertyVersion || property == kPropertyDriverType) && flag)
    RaiseNotSupported(EngineOperationText::Property);
}

void TBaseDatabase::SetModes(uint32_t mode1, uint32_t mode2) {
  mode1_ = mode1;
  mode2_ = mode2;
}

void TBaseDatabase::SetParam(const char* name, const char* value) {
  if (!name || CompareText(name, "USER NAME") != 0) return;
  CopyTextZ(userName_, value ? value : "", UserNameSize);
}

void TBaseDatabase::SetParams(uint16_t count, const char* const* names, const char* const* values) {
  if (count == 0) return;
  CheckParam(names);
  CheckParam(values);
  for (uint16_t i = 0; i < count; ++i) SetParam(names[i], values[i]);
}

void TBaseDatabase::FindOpenCursor(const char* name, TBaseTable*& cursor) {
  CheckParam(name);
  cursor = nullptr;
  // A name with a drive, a folder or an extension names a table by its full name.
  const bool byFullName = IsPathName(name, true);
  for (int i = 0; i < cursorList_->Count(); ++i) {
    TBaseTable* candidate = cursorAt(*cursorList_, i);
    if (!candidate || candidate->GetFullTableName()[0] == '\0') continue;
    const char* candidateName = byFullName ? candidate->GetFullTableName() : candidate->GetTableName();
    if (CompareText(name, candidateName) == 0) {
      cursor = candidate;
      return;
    }
  }
  RaiseEngineErrorText(DBIERR_NOSUCHTABLE, name);
}

void TBaseDatabase::SetDirectory(const char* directory) {
  CopyTextZ(description_.Path, directory ? directory : "", DatabaseDescription::PathSize - 1);
}

void TBaseDatabase::GetDirectory(uint32_t, char* destination) {
  CopyTextZ(CheckParam(destination), description_.Path, DatabaseDescription::PathSize - 1);
}

void TBaseDatabase::Reserved15() { notSupported(); }

void TBaseDatabase::OpenTableListSimple(const char* wildcard, TBaseTable*& cursor) {
  OpenTableList(false, false, cursor, wildcard);
}

void TBaseDatabase::Reserved20() { notSupported(); }

TBaseTable* TBaseDatabase::indexListOf(TBaseTable& cursor) {
  CursorProperties properties;
  cursor.GetCursorProps(properties);
  const uint16_t count = properties.IndexCount;
  if (count == 0) RaiseEngineError(DBIERR_NOTINDEXED);
  std::vector<IndexDescriptor> descriptors(count);
  cursor.GetIndexDescs(descriptors.data());
  return CreateCursor<TIndexListTable>(this, count, descriptors.data(), cursorList_);
}

void TBaseDatabase::OpenIndexList(const char* tableName, const char* driverType, TBaseTable*& list) {
  TBaseTable* open = nullptr;
  try {
    FindOpenCursorByName(tableName, open);
  } catch (const EKorvoEngineError& error) {
    if (error.ErrorCode() != DBIERR_NOSUCHTABLE) throw;
  }
  if (open && open->State() != csClosed) {
    list = indexListOf(*open);
    return;
  }
  OwnCursor own{nullptr};
  OpenTable(tableName, driverType, nullptr, nullptr, 0, kOpenForOperation, 0, 0, false, nullptr, own.cursor);
  list = indexListOf(*own.cursor);
  own.cursor->Deactivate();
}

void TBaseDatabase::Reserved22() { notSupported(); }

void TBaseDatabase::OpenValidityCheckList(const char*, const char*, TBaseTable*&) {
  RaiseNotSupported(EngineOperationText::OpenValidityCheckList);
}

void TBaseDatabase::Reserved24() { notSupported(); }
void TBaseDatabase::Reserved25() { notSupported(); }
void TBaseDatabase::Reserved26() { notSupported(); }
void TBaseDatabase::Reserved27() { notSupported(); }
void TBaseDatabase::Reserved28() { notSupported(); }
void TBaseDatabase::Reserved29() { notSupported(); }
void TBaseDatabase::Reserved30() { notSupported(); }

void TBaseDatabase::TableExists(const char* name, bool& found) {
  found = false;
  const AnsiString wanted = UpperCase(AnsiString(CheckParam(name)));
  OwnCursor tables{nullptr};
  OpenTableList(false, true, tables.cursor, nullptr);
  std::vector<char> record(tables.cursor->GetRecordBufferSize() + 1u, 0);
  try {
    for (;;) {
      tables.cursor->GetNextRecord(0, record.data(), nullptr);
      if (CompareText(AnsiString(record.data()), wanted) == 0) {
        found = true;
        return;
      }
    }
  } catch (const EKorvoBoundryError&) {
  }
}

void TBaseDatabase::CountOpenCursors(const char* name, uint32_t& count) {
  const AnsiString wanted = AnsiString(CheckParam(name)).substr(0, kComparedNameLength);
  count = 0;
  for (int i = 0; i < cursorList_->Count(); ++i) {
    TBaseTable* cursor = cursorAt(*cursorList_, i);
    if (cursor && CompareText(AnsiString(cursor->GetTableName()).substr(0, kComparedNameLength), wanted) == 0) ++count;
  }
  if (count == 0) RaiseEngineErrorText(DBIERR_NOSUCHTABLE, name);
}

void TBaseDatabase::FindOpenCursorByName(const char* name, TBaseTable*& cursor) {
  const AnsiString text = CheckParam(name);
  FindOpenCursor(text.substr(0, text.find(';')).c_str(), cursor);
}

void TBaseDatabase::EmptyTable(TBaseTable* cursor, const char* tableName) {
  if (cursor) return cursor->EmptyTable();
  OwnCursor own{openOwnCursor(tableName, nullptr, kAnyIndex)};
  own.cursor->EmptyTable();
}

TBaseTable* TBaseDatabase::openOwnCursor(const char* tableName, const char* driverType, uint16_t indexNumber) {
  TBaseTable* cursor = nullptr;
  OpenTable(tableName, driverType, nullptr, nullptr, indexNumber, kOpenForOperation, 0, 0, false, nullptr, cursor);
  return cursor;
}

void TBaseDatabase::Reserved35() { notSupported(); }
void TBaseDatabase::Reserved36() { notSupported(); }
void TBaseDatabase::Reserved37() { notSupported(); }
void TBaseDatabase::Reserved38() { notSupported(); }

void TBaseDatabase::CreateInMemTable(const char* name, uint16_t fieldCount, TBaseTable*& table,
                                     const FieldDescriptor* descriptors) {
  const AnsiString tableName = name ? name : "";
  if (fieldCount == 0 || !descriptors) RaiseEngineErrorText(DBIERR_INVALIDPARAM, tableName);
  try {
    table = CreateCursor<TMemTable>(this, nullptr, descriptors, 0, fieldCount, name, cursorList_);
  } catch (const EKorvoEngineError&) {
    RaiseEngineErrorText(DBIERR_INVALIDTABLECREATE, tableName);
  }
}

void TBaseDatabase::Reserved40() { notSupported(); }
void TBaseDatabase::Reserved41() { notSupported(); }
void TBaseDatabase::Reserved42() { notSupported(); }
void TBaseDatabase::Reserved43() { notSupported(); }

// The index's own format names the kind of table to open when no cursor is given.
void TBaseDatabase::AddIndex(TBaseTable* cursor, const char* tableName, const char* driverType,
                             const IndexDescriptor& descriptor) {
  if (cursor) return cursor->AddIndex(descriptor, driverType);
  OwnCursor own{openOwnCursor(tableName, descriptor.Format, kAnyIndex)};
  own.cursor->AddIndex(descriptor, driverType);
}

void TBaseDatabase::DeleteIndex(TBaseTable* cursor, const char* tableName, const char* indexName,
                                const char* tagName, uint16_t indexNumber) {
  if (cursor) return cursor->DeleteIndex(indexName, tagName, indexNumber);
  OwnCursor own{openOwnCursor(tableName, nullptr, kAnyIndex)};
  own.cursor->DeleteIndex(indexName, tagName, indexNumber);
}

void TBaseDatabase::BeginTransaction(uint32_t, uint32_t&) { RaiseNotSupported(EngineOperationText::BeginTransaction); }

void TBaseDatabase::EndTransaction(uint32_t, uint32_t) { RaiseNotSupported(EngineOperationText::EndTransaction); }

void TBaseDatabase::GetTransactionInfo(uint32_t, TransactionInfo& info) {
  std::memset(&info, 0, sizeof info);
  info.Transaction = transaction_;
  info.State = transactionState_;
}

void TBaseDatabase::Reserved49() { notSupported(); }

void TBaseDatabase::Reserved50() {
  flag_ = false;
  notSupported();
}

void TBaseDatabase::Reserved52() { notSupported(); }
void TBaseDatabase::Reserved53() { notSupported(); }
void TBaseDatabase::Reserved54(uint32_t a, uint32_t b) { Reserved56(a, b); }
void TBaseDatabase::Reserved55() { notSupported(); }
void TBaseDatabase::Reserved56(uint32_t a, uint32_t b) { Reserved57(2, b, a); }
void TBaseDatabase::Reserved57(uint32_t, uint32_t, uint32_t) { notSupported(); }
void TBaseDatabase::Reserved58() { notSupported(); }
void TBaseDatabase::Reserved59() { notSupported(); }
void TBaseDatabase::Reserved60() { RaiseEngineError(DBIERR_NA); }
