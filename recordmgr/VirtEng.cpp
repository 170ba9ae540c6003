#include "recordmgr/VirtEng.h"

#include <cstring>
#include <vector>

#include "framework/base/Locale.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "platform/os/ProfileFunctions.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr const char* kErrorCodeLine = "DBI Error Code = ";
constexpr const char* kLineBreak = "\r\n";
constexpr size_t kContextLines = 4;
constexpr size_t kContextLineSize = 128;
constexpr size_t kDesignatorMax = 5;
constexpr uint16_t kDatabaseSessionKind = 2;

bool holds(const AnsiString& format, const char* part) {
  return UpperCase(format).find(UpperCase(part)) != AnsiString::npos;
}

AnsiString composeEntryText(const ErrorEntry& entry) {
  std::vector<AnsiString> lines;
  if (entry.nativeStatus != 0) lines.emplace_back(entry.nativeText, strnlen(entry.nativeText, sizeof entry.nativeText));
  if (entry.engineCode != 0)
    lines.push_back(kErrorCodeLine + AnsiString(entry.codeName, strnlen(entry.codeName, sizeof entry.codeName)));
  for (size_t line = 0; line < kContextLines; ++line) {
    const char* start = entry.contextText + line * kContextLineSize;
    lines.emplace_back(start, strnlen(start, kContextLineSize));
  }
  AnsiString text;
  for (const AnsiString& line : lines) {
    if (line.empty()) continue;
    if (!text.empty()) text += kLineBreak;
    text += line;
  }
  return text.substr(0, TVirtEng::ErrorTextMax);
}

}  // namespace

AnsiString CleanDatabaseName(const AnsiString& name) {
  const size_t open = name.find('[');
  if (open == AnsiString::npos) return name;
  const size_t close = name.find(']', open);
  if (close == AnsiString::npos) return name;
  AnsiString cleaned = name;
  cleaned.erase(open, close - open + 2);
  return cleaned;
}

TVirtEng::TVirtEng(TBapiListItemClass driverSessionClass, const void*, TBapiListItem* owner, TKorvoCollection* list)
    : TBapiListItem(owner, list),
      driverSessionClass_(driverSessionClass),
      errors_(new TErrorStack(ErrorStackDepth)),
      objects_(new TKorvoCollection) {
  ReadFormatSettings();
  TBaseSession* session = nullptr;
  startStatus_ = StartSession(nullptr, nullptr, session);
  currentDatabase_ = this;
}

TVirtEng::~TVirtEng() {
  delete objects_;
  delete errors_;
}

void TVirtEng::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  if (property != PropertyEngineValue) return TBapiListItem::GetProperty(property, buffer, length, bufferSize);
  AnswerProperty(buffer, bufferSize, &propertyValue_, sizeof propertyValue_, length);
}

void TVirtEng::SetProperty(uint32_t property, uint32_t value) {
  if (property == PropertyEngineValue) propertyValue_ = value;
}

void TVirtEng::ReadFormatSettings() {
  const LocaleSettings& locale = Locale();
  dateFormat_ = {};
  dateFormat_.Separator[0] = locale.DateSeparator;
  dateFormat_.Mode = static_cast<uint8_t>(qn::os::getProfileInt("INTL", "iDATE", 0));
  dateFormat_.FourDigitYear = holds(locale.ShortDateFormat, "yyyy");
  dateFormat_.YearBiased = 1;
  dateFormat_.MonthLeadingZero = holds(locale.ShortDateFormat, "mm");
  dateFormat_.DayLeadingZero = holds(locale.ShortDateFormat, "dd");

  timeFormat_ = {};
  timeFormat_.Separator = locale.TimeSeparator;
  timeFormat_.TwelveHour = holds(locale.ShortTimeFormat, " AMPM");
  if (timeFormat_.TwelveHour) {
    CopyTextZ(timeFormat_.AmText, locale.TimeAMString, kDesignatorMax);
    CopyTextZ(timeFormat_.PmText, locale.TimePMString, kDesignatorMax);
  }
  timeFormat_.Seconds = 1;
  timeFormat_.Milliseconds = 0;
}

uint16_t TVirtEng::HandleEngineException() {
  try {
    throw;
  } catch (const EKorvoEngineError& error) {
    errors_->Clear();
    errors_->PushException(error);
    return error.ErrorCode();
  }
}

TBaseTable& TVirtEng::makeCurrent(TBaseTable* cursor) {
  currentCursor_ = CheckHandle(cursor);
  return *cursor;
}

TBaseDatabase& TVirtEng::makeCurrent(TBaseDatabase* database) {
  currentDatabase_ = CheckHandle(database);
  return *database;
}

void TVirtEng::forgetCurrentUnder(TBapiListItem* object) {
  auto under = [object](const TBapiListItem* item) {
    for (; item != nullptr; item = item->Owner())
      if (item == object) return true;
    return false;
  };
  if (under(currentCursor_)) currentCursor_ = nullptr;
  if (currentDatabase_ != this && under(currentDatabase_)) currentDatabase_ = this;
  if (under(currentSession_)) currentSession_ = nullptr;
}

// --- Sessions ---

uint16_t TVirtEng::StartSession(const char* directory, const char* name, TBaseSession*& session) {
  session = nullptr;
  return run([&] {
    CheckAssigned(driverSessionClass_, DBIERR_NOTINITIALIZED);
    TBapiListItem* created = driverSessionClass_(this, directory, name, objects_);
    session = static_cast<TBaseSession*>(created);
    currentSession_ = session;
  });
}

uint16_t TVirtEng::CloseSession(TBaseSession* session) {
  return run([&] {
    currentSession_ = CheckHandle(session);
    forgetCurrentUnder(session);
    delete session;
    currentSession_ = static_cast<TBaseSession*>(objects_->At(0));
  });
}

uint16_t TVirtEng::SetCurrentSession(TBaseSession* session) {
  return run([&] { currentSession_ = CheckHandle(session); });
}

uint16_t TVirtEng::GetCurrentSession(TBaseSession*& session) {
  session = currentSession_;
  return 0;
}

uint16_t TVirtEng::NativeToAnsi(char* destination, uint32_t& length, uint32_t count, const char* source) {
  return run([&] { CheckHandle(currentSession_)->NativeToAnsi(destination, length, count, source); });
}

uint16_t TVirtEng::AnsiToNative(char* destination, uint32_t& length, uint32_t count, const char* source) {
  return run([&] { CheckHandle(currentSession_)->AnsiToNative(destination, length, count, source); });
}

uint16_t TVirtEng::RegisterCallback(TBaseTable* cursor, uint16_t callbackType, uintptr_t clientData,
                                    uint16_t bufferLength, void* buffer, void* callback) {
  return run([&] {
    CheckHandle(currentSession_)->RegisterCallback(cursor, callbackType, clientData, bufferLength, buffer, callback);
  });
}

uint16_t TVirtEng::SetPrivateDirectory(const char* directory) {
  if (currentSession_) currentSession_->SetPrivateDirectory(directory);
  return 0;
}

uint16_t TVirtEng::AddAlias(const char* name, const char* driverType, const char* params, bool persistent) {
  return run([&] { CheckHandle(currentSession_)->AddAlias(name, driverType, params, persistent); });
}

uint16_t TVirtEng::DeleteAlias(const char* name) {
  return run([&] { CheckHandle(currentSession_)->DeleteAlias(name); });
}

// A database named in its "PATH" parameter has that value cleaned where the caller keeps it, so
// that the caller's parameters and the opened database agree.
uint16_t TVirtEng::OpenDatabase(const char* name, const char* databaseType, uint32_t openMode, uint32_t shareMode,
                                const char* password, uint16_t paramCount, const FieldDescriptor* paramDescriptors,
                                void* paramValues, TBaseDatabase*& database) {
  return run([&] {
    AnsiString cleaned;
    const char* opened = nullptr;
    if ((name && *name) || (databaseType && *databaseType)) {
      if (name) cleaned = CleanDatabaseName(name);
      opened = name ? cleaned.c_str() : nullptr;
    } else {
      for (uint16_t i = 0; paramDescriptors && paramValues && i < paramCount; ++i) {
        if (!SameText(paramDescriptors[i].FieldName, "PATH")) continue;
        char* value = static_cast<char*>(paramValues) + paramDescriptors[i].Offset;
        cleaned = CleanDatabaseName(AnsiString(value, strnlen(value, paramDescriptors[i].FieldLength)));
        std::memcpy(value, cleaned.c_str(), cleaned.size() + 1);
        break;
      }
      opened = cleaned.c_str();
    }
    CheckHandle(currentSession_)
        ->OpenDatabase(opened, databaseType, openMode, shareMode, password, paramCount, paramDescriptors, paramValues,
                       database);
  });
}

uint16_t TVirtEng::GetSessionInfo(SessionInfo& info) {
  return run([&] { CheckHandle(currentSession_)->GetSessionInfo(info); });
}

uint16_t TVirtEng::OpenConfigList(TBaseTable*& cursor, const char* path) {
  return run([&] { CheckHandle(currentSession_)->OpenConfigList(path, cursor); });
}

uint16_t TVirtEng::RegisterCachedUpdatesCallback(TBaseTable*, uintptr_t, void*) { return DBIERR_NA; }

uint16_t TVirtEng::UnregisterCachedUpdatesCallback(TBaseTable*) { return DBIERR_NA; }

// --- Databases ---

uint16_t TVirtEng::CloseDatabase(TBaseDatabase* database) {
  return run([&] {
    makeCurrent(database);
    forgetCurrentUnder(database);
    delete database;
  });
}

uint16_t TVirtEng::OpenTable(TBaseDatabase* database, const char* tableName, const char* driverType,
                             const char* indexName, const char* indexTag, uint16_t indexNumber, uint32_t openMode,
                             uint32_t shareMode, uint32_t translateMode, bool unidirectional, const char* parameters,
                             TBaseTable*& cursor) {
  return run([&] {
    makeCurrent(database).OpenTable(tableName, driverType, indexName, indexTag, indexNumber, openMode, shareMode,
                                    translateMode, unidirectional, parameters, cursor);
  });
}

uint16_t TVirtEng::OpenFieldList(TBaseDatabase* database, const char* tableName, const char* driverType,
                                 bool physicalTypes, TBaseTable*& cursor) {
  return run([&] { makeCurrent(database).OpenFieldList(tableName, driverType, physicalTypes, cursor); });
}

uint16_t TVirtEng::OpenIndexList(TBaseDatabase* database, const char* tableName, const char* driverType,
                                 TBaseTable*& cursor) {
  return run([&] { makeCurrent(database).OpenIndexList(tableName, driverType, cursor); });
}

uint16_t TVirtEng::OpenValidityCheckList(TBaseDatabase* database, const char* tableName, const char* driverType,
                                         TBaseTable*& cursor) {
  return run([&] { makeCurrent(database).OpenValidityCheckList(tableName, driverType, cursor); });
}

uint16_t TVirtEng::SetDirectory(TBaseDatabase* database, const char* directory) {
  return run([&] { makeCurrent(database).SetDirectory(directory); });
}

uint16_t TVirtEng::BeginTransaction(TBaseDatabase* database, uint32_t isolationLevel, uint32_t& transaction) {
  return run([&] { makeCurrent(database).BeginTransaction(isolationLevel, transaction); });
}

uint16_t TVirtEng::EndTransaction(TBaseDatabase* database, uint32_t transaction, uint32_t endMode) {
  return run([&] { makeCurrent(database).EndTransaction(transaction, endMode); });
}

uint16_t TVirtEng::GetTransactionInfo(TBaseDatabase* database, uint32_t transaction, TransactionInfo& info) {
  return run([&] { makeCurrent(database).GetTransactionInfo(transaction, info); });
}

uint16_t TVirtEng::GetDatabaseSession(TBaseDatabase* database, uint16_t kind, TBapiListItem*& object) {
  object = nullptr;
  if (database == nullptr || kind != kDatabaseSessionKind) return DBIERR_INVALIDPARAM;
  object = database->Owner();
  return 0;
}

// --- Cursors ---

uint16_t TVirtEng::CloseCursor(TBaseTable* cursor) {
  return run([&] {
    CheckHandle(cursor)->Deactivate();
    forgetCurrentUnder(cursor);
    delete cursor;
  });
}

uint16_t TVirtEng::CloneCursor(TBaseTable* cursor, bool readOnly, bool unidirectional, TBaseTable*& clone) {
  return run([&] { makeCurrent(cursor).CloneCursor(readOnly, unidirectional, clone); });
}

uint16_t TVirtEng::SetToBegin(TBaseTable* cursor) {
  if (cursor == nullptr) return run([] { RaiseEngineError(DBIERR_INVALIDHNDL); });
  cursor->SetToBegin();
  return 0;
}

uint16_t TVirtEng::SetToEnd(TBaseTable* cursor) {
  if (cursor == nullptr) return run([] { RaiseEngineError(DBIERR_INVALIDHNDL); });
  cursor->SetToEnd();
  return 0;
}

uint16_t TVirtEng::SetToCursor(TBaseTable* destination, TBaseTable* source) {
  return run([&] {
    makeCurrent(destination);
    CheckHandle(source)->SetToCursor(destination);
  });
}

uint16_t TVirtEng::GetBookmark(TBaseTable* cursor, void* bookmark) {
  return run([&] { makeCurrent(cursor).GetBookmark(bookmark); });
}

uint16_t TVirtEng::SetToBookmark(TBaseTable* cursor, const void* bookmark) {
  return run([&] { makeCurrent(cursor).SetToBookmark(bookmark); });
}

uint16_t TVirtEng::CompareBookmarks(TBaseTable* cursor, const void* bookmark1, const void* bookmark2, int& result) {
  return run([&] { CheckHandle(cursor)->CompareBookmarks(bookmark1, bookmark2, result); });
}

uint16_t TVirtEng::GetRecord(TBaseTable* cursor, uint16_t lock, void* record, void* properties) {
  return run([&] { CheckHandle(cursor)->GetRecord(lock, record, properties); });
}

uint16_t TVirtEng::GetNextRecord(TBaseTable* cursor, uint16_t lock, void* record, void* properties) {
  return run([&] { CheckHandle(cursor)->GetNextRecord(lock, record, properties); });
}

// Reading backwards off the start of an empty range meets end of file inside the cursor; the
// caller asked for the prior record and learns it is at the beginning.
uint16_t TVirtEng::GetPriorRecord(TBaseTable* cursor, uint16_t lock, void* record, void* properties) {
  const uint16_t status = run([&] { CheckHandle(cursor)->GetPriorRecord(lock, record, properties); });
  return status == DBIERR_EOF ? DBIERR_BOF : status;
}

uint16_t TVirtEng::GetRecordForKey(TBaseTable* cursor, bool directKey, uint16_t fieldCount, uint16_t length,
                                   const void* key, void* record) {
  return run([&] { CheckHandle(cursor)->GetRecordForKey(directKey, fieldCount, length, key, record); });
}

uint16_t TVirtEng::SetToKey(TBaseTable* cursor, uint16_t searchCondition, bool directKey, uint16_t fieldCount,
                            uint16_t length, const void* key) {
  return run([&] { CheckHandle(cursor)->SetToKey(searchCondition, directKey, fieldCount, length, key); });
}

uint16_t TVirtEng::ExtractKey(TBaseTable* cursor, const void* record, void* key) {
  return run([&] { CheckHandle(cursor)->ExtractKey(record, key); });
}

uint16_t TVirtEng::SetRange(TBaseTable* cursor, bool keyItself, uint16_t lowFieldCount, uint16_t lowLength,
                            const void* lowKey, bool lowInclusive, uint16_t highFieldCount, uint16_t highLength,
                            const void* highKey, bool highInclusive) {
  return run([&] {
    CheckHandle(cursor)->SetRange(keyItself, lowFieldCount, lowLength, lowKey, lowInclusive, highFieldCount,
                                  highLength, highKey, highInclusive);
  });
}

uint16_t TVirtEng::ResetRange(TBaseTable* cursor) {
  return run([&] { CheckHandle(cursor)->ResetRange(); });
}

uint16_t TVirtEng::SwitchToIndex(TBaseTable* cursor, const char* indexName, const char* tagName, uint16_t indexNumber,
                                 bool keepCurrent) {
  return run([&] { CheckHandle(cursor)->SwitchToIndex(indexName, tagName, indexNumber, keepCurrent); });
}

uint16_t TVirtEng::GetIndexDesc(TBaseTable* cursor, uint16_t number, IndexDescriptor& descriptor) {
  return run([&] { CheckHandle(cursor)->GetIndexDesc(number, descriptor); });
}

uint16_t TVirtEng::GetIndexDescs(TBaseTable* cursor, IndexDescriptor* descriptors) {
  return run([&] { CheckHandle(cursor)->GetIndexDescs(descriptors); });
}

uint16_t TVirtEng::GetValidityCheckDesc(TBaseTable* cursor, uint16_t fieldNumber, void* descriptor) {
  return run([&] { CheckHandle(cursor)->GetValidityCheckDesc(fieldNumber, descriptor); });
}

uint16_t TVirtEng::GetCursorProps(TBaseTable* cursor, CursorProperties& properties) {
  return run([&] { CheckHandle(cursor)->GetCursorProps(properties); });
}

uint16_t TVirtEng::GetFieldDescs(TBaseTable* cursor, FieldDescriptor* descriptors) {
  return run([&] { CheckHandle(cursor)->GetFieldDescs(descriptors); });
}

uint16_t TVirtEng::InitRecord(TBaseTable* cursor, void* record) {
  return run([&] { CheckHandle(cursor)->InitRecord(record); });
}

uint16_t TVirtEng::InsertRecord(TBaseTable* cursor, uint16_t lock, void* record) {
  return run([&] { CheckHandle(cursor)->InsertRecord(lock, record); });
}

uint16_t TVirtEng::AppendRecord(TBaseTable* cursor, void* record) {
  return run([&] { CheckHandle(cursor)->AppendRecord(record); });
}

uint16_t TVirtEng::ModifyRecord(TBaseTable* cursor, void* record, bool releaseLock) {
  return run([&] { CheckHandle(cursor)->ModifyRecord(record, releaseLock); });
}

uint16_t TVirtEng::DeleteRecord(TBaseTable* cursor, void* record) {
  return run([&] { CheckHandle(cursor)->DeleteRecord(record); });
}

uint16_t TVirtEng::ReleaseRecordLock(TBaseTable* cursor, bool all) {
  return run([&] { CheckHandle(cursor)->ReleaseRecordLock(all); });
}

uint16_t TVirtEng::ReadBlock(TBaseTable* cursor, uint32_t& count, void* buffer) {
  return run([&] { CheckHandle(cursor)->ReadBlock(count, buffer); });
}

uint16_t TVirtEng::SetToSequenceNumber(TBaseTable* cursor, uint32_t number) {
  return run([&] { CheckHandle(cursor)->SetToSequenceNumber(number); });
}

uint16_t TVirtEng::GetRecordCount(TBaseTable* cursor, uint32_t& count) {
  return run([&] { CheckHandle(cursor)->GetRecordCount(count); });
}

uint16_t TVirtEng::GetExactRecordCount(TBaseTable* cursor, uint32_t& count) {
  return run([&] { CheckHandle(cursor)->GetExactRecordCount(count); });
}

uint16_t TVirtEng::ForceReread(TBaseTable* cursor) {
  return run([&] { CheckHandle(cursor)->ForceReread(); });
}

uint16_t TVirtEng::ForceRecordReread(TBaseTable* cursor, void* record) {
  return run([&] { CheckHandle(cursor)->ForceRecordReread(record); });
}

uint16_t TVirtEng::GetField(TBaseTable* cursor, uint16_t fieldNumber, void* record, void* value, bool& blank) {
  return run([&] { CheckHandle(cursor)->GetField(fieldNumber, record, blank, value); });
}

uint16_t TVirtEng::PutField(TBaseTable* cursor, uint16_t fieldNumber, void* record, const void* value) {
  return run([&] { CheckHandle(cursor)->PutField(fieldNumber, record, value); });
}

uint16_t TVirtEng::VerifyField(TBaseTable* cursor, uint16_t fieldNumber, void* value, bool& blank) {
  return run([&] { CheckHandle(cursor)->VerifyField(fieldNumber, value, blank); });
}

uint16_t TVirtEng::OpenBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t openMode) {
  return run([&] { CheckHandle(cursor)->OpenBlob(record, fieldNumber, openMode); });
}

uint16_t TVirtEng::GetBlobSize(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t& size) {
  return run([&] { CheckHandle(cursor)->GetBlobSize(record, fieldNumber, size); });
}

uint16_t TVirtEng::GetBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length,
                           void* destination, uint32_t& delivered) {
  return run([&] { CheckHandle(cursor)->GetBlob(record, fieldNumber, offset, length, destination, delivered); });
}

uint16_t TVirtEng::PutBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length,
                           const void* source) {
  return run([&] { CheckHandle(cursor)->PutBlob(record, fieldNumber, offset, length, source); });
}

uint16_t TVirtEng::TruncateBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber, uint32_t length) {
  return run([&] { CheckHandle(cursor)->TruncateBlob(record, fieldNumber, length); });
}

uint16_t TVirtEng::FreeBlob(TBaseTable* cursor, void* record, uint16_t fieldNumber) {
  return run([&] { CheckHandle(cursor)->FreeBlob(record, fieldNumber); });
}

uint16_t TVirtEng::AddFilter(TBaseTable* cursor, uintptr_t clientData, uint16_t priority, bool canAbort,
                             const void* expression, FilterCallback callback, TFilterListItem*& filter) {
  return run([&] { CheckHandle(cursor)->AddFilter(clientData, priority, canAbort, expression, callback, filter); });
}

uint16_t TVirtEng::DropFilter(TBaseTable* cursor, TFilterListItem* filter) {
  return run([&] { CheckHandle(cursor)->DropFilter(filter); });
}

uint16_t TVirtEng::ActivateFilter(TBaseTable* cursor, TFilterListItem* filter) {
  return run([&] { CheckHandle(cursor)->ActivateFilter(filter); });
}

uint16_t TVirtEng::DeactivateFilter(TBaseTable* cursor, TFilterListItem* filter) {
  return run([&] { CheckHandle(cursor)->DeactivateFilter(filter); });
}

uint16_t TVirtEng::BeginCachedUpdates(TBaseTable*& cursor) {
  return run([&] { CheckHandle(cursor)->BeginCachedUpdates(cursor); });
}

uint16_t TVirtEng::EndCachedUpdates(TBaseTable*& cache) {
  return run([&] {
    TBaseTable* ending = CheckHandle(cache);
    if (currentCursor_ == ending) currentCursor_ = nullptr;
    ending->EndCachedUpdates(cache);
  });
}

// --- Properties ---

uint16_t TVirtEng::GetProperty(TBapiListItem* object, uint32_t property, void* buffer, uint16_t bufferSize,
                               uint16_t& length) {
  length = 0;
  if (object == nullptr) return DBIERR_INVALIDPARAM;
  return run([&] { object->GetProperty(property, buffer, length, bufferSize); });
}

uint16_t TVirtEng::SetProperty(TBapiListItem* object, uint32_t property, uint32_t value) {
  if (object == nullptr) return DBIERR_INVALIDPARAM;
  return run([&] { object->SetProperty(property, value); });
}

// --- Error texts ---

uint16_t TVirtEng::GetErrorEntry(uint16_t index, int32_t& nativeStatus, AnsiString& text) {
  ErrorEntry entry{};
  if (!errors_->GetEntry(index, entry)) return 0;
  nativeStatus = entry.nativeStatus;
  text = composeEntryText(entry);
  return entry.engineCode;
}

uint16_t TVirtEng::GetErrorText(uint16_t code, AnsiString& text) {
  for (uint16_t index = 1; index <= TErrorStack::MaxDepth; ++index) {
    ErrorEntry entry{};
    if (errors_->GetEntry(index, entry) && entry.engineCode == code) {
      text = composeEntryText(entry);
      return 0;
    }
  }
  text.clear();
  return code;
}

AnsiString TVirtEng::GetErrorText(uint16_t code) {
  AnsiString text;
  GetErrorText(code, text);
  return text;
}
