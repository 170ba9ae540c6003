#include "recordmgr/BaseTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "framework/base/ValueBytes.h"
#include "recordmgr/BaseCacheTable.h"
#include "recordmgr/BaseDatabase.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/ValueOrder.h"

namespace {

constexpr uint16_t kPropertyRecordsFirst = 0;
constexpr uint16_t kPropertyNothing = 1;
constexpr uint16_t kPropertyZero = 5;
constexpr uint16_t kPropertyBetweenRecords = 20;
constexpr uint16_t kLockForWrite = 1;
// Errors of this category are a lock or a conflict with another user (the record manager's 84 is 0x2801).
constexpr uint16_t kLockedCategory = 0x28;
// The buffer offset of a block read or write is a 16-bit value.
constexpr uint32_t kBlockLimit = 65536;
// Counting lets the application process its messages after this many records.
constexpr uint32_t kRecordsPerMessagePass = 16;
// Passes of DeleteAllRecords after the first, while records remain.
constexpr int kFurtherDeletePasses = 4;
constexpr size_t kFullTableNameMax = 255;
constexpr size_t kScratchFieldSize = 256;

// Text over at most length characters, up to its terminating zero.
AnsiString boundedText(const void* text, uint16_t length) {
  const auto* chars = static_cast<const char*>(text);
  return AnsiString(chars, strnlen(chars, length));
}

int sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

// Reads into a buffer of the cursor's own make the driver's record buffer to it; when the buffer
// goes, the driver gets back the one it had, so it never writes into freed memory.
class RecordBufferKeeper {
 public:
  explicit RecordBufferKeeper(TBaseTable& cursor) : cursor_(cursor), kept_(cursor.GetRecordBuffer()) {}
  ~RecordBufferKeeper() {
    try {
      cursor_.SetRecordBuffer(kept_);
    } catch (const EKorvoEngineError&) {
      // Setting a buffer does not fail; should a driver's refuse, the cursor's own error counts.
    }
  }
  RecordBufferKeeper(const RecordBufferKeeper&) = delete;
  RecordBufferKeeper& operator=(const RecordBufferKeeper&) = delete;

 private:
  TBaseTable& cursor_;
  void* kept_;
};

}  // namespace

TBaseTable::TBaseTable(TBapiListItem* database, uint32_t shareMode, uint32_t openMode, const char* creationText,
                       const char* tableName, TKorvoCollection* list)
    : TBapiListItem(database, list),
      filterList_(new TKorvoCollection),
      openMode_(openMode),
      shareMode_(shareMode),
      fieldCache_(new TKorvoFieldCache(this)) {
  if (creationText) CopyTextZ(creationText_, creationText, TextSize);
  if (tableName) {
    pendingTableName_ = tableName;
    pendingTableNameGiven_ = true;
  }
}

TBaseTable::~TBaseTable() {
  delete filterList_;
  delete fieldCache_;
  std::free(driverData_);
}

void TBaseTable::CompleteCreation() {
  if (pendingTableNameGiven_) SetTableName(pendingTableName_.c_str());
  const uint32_t driverSize = DriverDataSize();
  if (driverSize > 0) driverData_ = static_cast<uint8_t*>(std::calloc(driverSize, 1));
  DoOpen();
}

void TBaseTable::BeforeDestruction() {
  DoClose();
  TBapiListItem::BeforeDestruction();
}

void TBaseTable::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  switch (static_cast<uint16_t>(property)) {
    case kPropertyRecordsFirst: {
      const uint16_t value = 20;
      AnswerProperty(buffer, bufferSize, &value, sizeof value, length);
      break;
    }
    case kPropertyNothing:
      length = 0;
      break;
    case kPropertyZero: {
      const uint32_t value = 0;
      AnswerProperty(buffer, bufferSize, &value, sizeof value, length);
      break;
    }
    default:
      RaiseNotSupported(EngineOperationText::Property);
  }
}

void TBaseTable::SetProperty(uint32_t property, uint32_t value) {
  if (static_cast<uint16_t>(property) == kPropertyBetweenRecords) state_ = csBetween;
}

void TBaseTable::CheckProperty(uint32_t property, bool flag) {
  if ((property == 0 || property == 1) && !flag) RaiseNotSupported(EngineOperationText::Property);
}

void TBaseTable::SetTableName(const char* name) {
  if (name) CopyTextZ(tableName_, name, TextSize);
}

void TBaseTable::SetFullTableName(const char* name) {
  const AnsiString trimmed = Trim(AnsiString(name ? name : ""));
  CopyTextZ(fullTableName_, trimmed.c_str(), kFullTableNameMax);
}

uint16_t TBaseTable::GetRecordBufferSize() {
  if (!HasFieldStatus()) return GetRecordSize();
  return static_cast<uint16_t>(GetRecordSize() + 8 * fieldCache_->Count() + 1);
}

void TBaseTable::FindFieldByPosition(uint16_t position, uint16_t length, FieldDescriptor& descriptor) {
  TFieldCacheItem* found = nullptr;
  for (int i = 0; i < fieldCache_->Count(); ++i) {
    TFieldCacheItem* item = fieldCache_->Item(i);
    if (item->Descriptor().Offset + 1 != position) continue;
    found = item;
    if (item->FieldLength() == length) break;
  }
  if (!found) RaiseEngineErrorText(DBIERR_INVALIDRECSTRUCT, AnsiString("Table: ") + GetTableName());
  descriptor = found->Descriptor();
  descriptor.LocalSize = found->LocalSize();
}

uint16_t TBaseTable::SearchCondition(bool inclusive, bool forward) {
  if (forward) return inclusive ? scAtOrAfter : scAfter;
  return inclusive ? scAtOrBefore : scBefore;
}

void TBaseTable::MoveFirst() { RaiseEngineBOF(); }
void TBaseTable::MoveLast() { RaiseEngineEOF(); }
void TBaseTable::MoveNext() { RaiseEngineEOF(); }
void TBaseTable::MovePrior() { RaiseEngineBOF(); }

void TBaseTable::NativeToLocal(uint16_t, uint16_t, bool& blank, void*, const void*, uint16_t, int16_t) {
  blank = false;
}

int TBaseTable::CompareField(uint16_t type, TFieldCacheItem*, const void* a, const void* b, bool caseInsensitive,
                             uint16_t length) {
  switch (type) {
    case LogicalFieldType::Text: {
      const AnsiString textA = boundedText(a, length);
      const AnsiString textB = boundedText(b, length);
      return sign(caseInsensitive ? CompareText(textB, textA) : CompareStr(textB, textA));
    }
    case LogicalFieldType::Boolean: {
      // False sorts before true, so that ranges and filters over Boolean keys order them.
      bool valueA = false;
      bool valueB = false;
      switch (length) {
        case 1: valueA = FromBytes<uint8_t>(a) != 0; valueB = FromBytes<uint8_t>(b) != 0; break;
        case 2: valueA = FromBytes<uint16_t>(a) != 0; valueB = FromBytes<uint16_t>(b) != 0; break;
        case 4: valueA = FromBytes<uint32_t>(a) != 0; valueB = FromBytes<uint32_t>(b) != 0; break;
        default: return 0;
      }
      return CompareOrder(valueB, valueA);
    }
    case LogicalFieldType::Int16:
      if (length == 1) return CompareOrder(FromBytes<int8_t>(b), FromBytes<int8_t>(a));
      if (length == 2) return CompareOrder(FromBytes<int16_t>(b), FromBytes<int16_t>(a));
      return 0;
    case LogicalFieldType::UInt16:
      if (length == 1) return CompareOrder(FromBytes<uint8_t>(b), FromBytes<uint8_t>(a));
      if (length == 2) return CompareOrder(FromBytes<uint16_t>(b), FromBytes<uint16_t>(a));
      return 0;
    case LogicalFieldType::Int32:
      return CompareOrder(FromBytes<int32_t>(b), FromBytes<int32_t>(a));
    case LogicalFieldType::UInt32:
      return CompareOrder(FromBytes<uint32_t>(b), FromBytes<uint32_t>(a));
    case LogicalFieldType::Float:
      return CompareOrder(FromBytes<double>(b), FromBytes<double>(a));
    case LogicalFieldType::Timestamp:
      return CompareOrder(FromBytes<int64_t>(b), FromBytes<int64_t>(a));
    default:
      return CompareBytes(b, a, length);
  }
}

void TBaseTable::GetFieldValue(TFieldCacheItem* field, void* record, bool& blank, void* destination) {
  CheckParam(record);
  field->SetRecord(record);
  blank = field->IsBlank();
  if (!blank && destination)
    NativeToLocal(field->LocalType(), field->LocalSize(), blank, destination, field->FieldData(), field->FieldLength(),
                  field->FieldUnits2());
}

void TBaseTable::PutFieldValue(TFieldCacheItem* field, void* record, const void* source) {
  field->SetRecord(record);
  LocalToNative(field->LocalType(), field->LocalSize(), field->FieldData(), source, field->FieldLength(),
                field->FieldUnits2());
}

void TBaseTable::GetRecordLayoutSize(uint16_t& fieldCount, uint16_t& size) {
  fieldCount = static_cast<uint16_t>(fieldCache_->Count());
  if (fieldCount == 0) RaiseEngineError(DBIERR_INVALIDRECSTRUCT);
  if (layoutSize_ == 0) {
    uint32_t largest = 0;
    for (int i = 0; i < fieldCache_->Count(); ++i) {
      const FieldDescriptor& field = fieldCache_->Item(i)->Descriptor();
      largest = std::max<uint32_t>(largest, uint32_t{field.Offset} + field.FieldLength);
    }
    layoutSize_ = static_cast<uint16_t>(largest);
  }
  size = layoutSize_;
}

void TBaseTable::CloneCursor(bool, bool unidirectional, TBaseTable*& cursor) {
  auto* database = dynamic_cast<TBaseDatabase*>(Owner());
  if (!database) RaiseEngineError(DBIERR_INVALIDPARAM);
  database->OpenTable(GetTableName(), nullptr, nullptr, nullptr, 0, openMode_, shareMode_, 0, unidirectional,
                      creationText_, cursor);
}

void TBaseTable::DescribeField(uint16_t, uint16_t, uint16_t&, uint16_t&, FieldDescriptor&) {
  RaiseNotSupported(EngineOperationText::DescribeField);
}

void TBaseTable::GetFieldDescs(FieldDescriptor* descriptors) {
  CheckParam(descriptors);
  for (int i = 0; i < fieldCache_->Count(); ++i) {
    descriptors[i] = fieldCache_->Item(i)->Descriptor();
    descriptors[i].LocalSize = fieldCache_->Item(i)->LocalSize();
  }
}

void TBaseTable::SetToCursor(TBaseTable* destination) {
  CheckParam(destination);
  std::vector<uint8_t> bookmark(GetBookmarkSize());
  GetBookmark(bookmark.data());
  destination->SetToBookmark(bookmark.data());
}

void TBaseTable::GetBookmark(void*) { RaiseNotSupported(EngineOperationText::GetBookmark); }

void TBaseTable::SetToBookmark(const void*) { RaiseNotSupported(EngineOperationText::SetToBookmark); }

void TBaseTable::ReadAtBookmark(const void*, uint16_t, void*) {
  RaiseNotSupported(EngineOperationText::ReadAtBookmark);
}

void TBaseTable::CompareBookmarks(const void* bookmark1, const void* bookmark2, int& result) {
  const void* key1 = CheckParam(BookmarkKey(CheckParam(bookmark1)));
  const void* key2 = CheckParam(BookmarkKey(CheckParam(bookmark2)));
  CompareKeys(key1, key2, result, 0, 0);
  result = sign(result);
}

void TBaseTable::FirstInRange() {
  if (!lowRange_.Active) return MoveFirst();
  SearchKey(SearchCondition(lowRange_.Inclusive, true), lowRange_.KeyItself, GetRecordBuffer(), lowRange_.Key,
            lowRange_.Length, lowRange_.FieldCount);
}

void TBaseTable::LastInRange() {
  if (!highRange_.Active) return MoveLast();
  SearchKey(SearchCondition(highRange_.Inclusive, false), highRange_.KeyItself, GetRecordBuffer(), highRange_.Key,
            highRange_.Length, highRange_.FieldCount);
}

void TBaseTable::CheckPosition(void* record) {
  CheckRange(record);
  while (filtersActive_ && !AcceptsRecord(record)) {
    SetRecordBuffer(record);
    if (direction_ == cdForward)
      MoveNext();
    else
      MovePrior();
    CheckRange(record);
  }
}

// The cursor is on the record before a lock re-reads it: the re-read is a re-read of the current
// record, never a read of the next one (between records) nor a refusal (not yet positioned).
void TBaseTable::GetNextRecord(uint16_t lock, void* record, void* properties) {
  direction_ = cdForward;
  SetRecordBuffer(record);
  switch (state_) {
    case csOpen:
    case csAtBeginning:
      FirstInRange();
      break;
    case csOnRecord:
    case csBetween:
      MoveNext();
      break;
    default:
      RaiseEngineEOF();
  }
  CheckPosition(record);
  state_ = csOnRecord;
  if (lock != 0)
    GetRecord(lock, record, properties);
  else
    FillRecordProps(properties);
}

void TBaseTable::GetPriorRecord(uint16_t lock, void* record, void* properties) {
  direction_ = cdBackward;
  SetRecordBuffer(record);
  switch (state_) {
    case csOpen:
    case csAtEnd:
      LastInRange();
      break;
    case csOnRecord:
    case csBetween:
      MovePrior();
      break;
    default:
      RaiseEngineBOF();
  }
  CheckPosition(record);
  state_ = csOnRecord;
  if (lock != 0)
    GetRecord(lock, record, properties);
  else
    FillRecordProps(properties);
}

void TBaseTable::RereadCurrent(uint16_t lock, void* record) {
  std::vector<uint8_t> bookmark(GetBookmarkSize());
  GetBookmark(bookmark.data());
  ReadAtBookmark(bookmark.data(), lock, record);
}

void TBaseTable::GetRecord(uint16_t lock, void* record, void* properties) {
  switch (state_) {
    case csOnRecord:
      try {
        RereadCurrent(lock, record);
        CheckPosition(static_cast<uint8_t*>(record));
      } catch (const EKorvoEngineError& error) {
        // A forced re-read that fails because the record is gone reads on; one that meets another
        // workstation's lock must say so: reading on would hand the caller, under its lock, a
        // record other than the one it asked for. The flag stays for the next try.
        if (forceReread_ && error.ErrorCode() / 256 != kLockedCategory) {
          forceReread_ = false;
          state_ = csOpen;
          return GetNextRecord(lock, record, properties);
        }
        if (lock == kLockForWrite) ReleaseRecordLock(false);
        throw;
      }
      FillRecordProps(properties);
      return;
    case csAtBeginning:
      RaiseEngineEOF();
    case csAtEnd:
      RaiseEngineBOF();
    case csBetween:
      try {
        return GetNextRecord(lock, record, properties);
      } catch (const EKorvoEngineError&) {
      }
      try {
        return GetPriorRecord(lock, record, properties);
      } catch (const EKorvoEngineError&) {
      }
      state_ = csOpen;
      return GetNextRecord(lock, record, properties);
    default:
      RaiseEngineError(DBIERR_NOCURRREC);
  }
}

void TBaseTable::GetRelativeRecord(int32_t count, uint16_t lock, void* properties, void* record) {
  if (count == 0) RaiseEngineError(DBIERR_INVALIDPARAM);
  const uint32_t steps = count > 0 ? static_cast<uint32_t>(count) : 0u - static_cast<uint32_t>(count);
  for (uint32_t step = 1; step <= steps; ++step) {
    const uint16_t stepLock = step == steps ? lock : 0;
    if (count > 0)
      GetNextRecord(stepLock, record, properties);
    else
      GetPriorRecord(stepLock, record, properties);
  }
}

void TBaseTable::GetRecordForKey(bool, uint16_t, uint16_t, const void*, void*) { RaiseEngineError(DBIERR_INVALIDHNDL); }

void TBaseTable::GetValidityCheckDesc(uint16_t, void*) { RaiseNotSupported(EngineOperationText::ValidityCheck); }

void TBaseTable::InitRecord(void* record) {
  CheckParam(record);
  std::memset(record, 0, GetRecordBufferSize());
  if (HasFieldStatus()) fieldCache_->SetRecordPointers(record);
  SetInitRecord(record);
}

void TBaseTable::ReadBlock(uint32_t& count, void* buffer) {
  CheckParam(buffer);
  const uint32_t requested = count;
  const uint32_t recordBufferSize = GetRecordBufferSize();
  if (uint64_t{requested} * recordBufferSize >= kBlockLimit) RaiseEngineError(DBIERR_INVALIDPARAM);
  auto* records = static_cast<uint8_t*>(buffer);
  for (count = 0; count < requested; ++count) GetNextRecord(0, records + count * recordBufferSize, nullptr);
}

void TBaseTable::WriteBlock(uint32_t& count, void* buffer) {
  CheckParam(buffer);
  const uint32_t requested = count;
  const uint32_t recordBufferSize = GetRecordBufferSize();
  if (uint64_t{requested} * recordBufferSize >= kBlockLimit) RaiseEngineError(DBIERR_INVALIDPARAM);
  auto* records = static_cast<uint8_t*>(buffer);
  for (count = 0; count < requested; ++count) InsertRecord(0, records + count * recordBufferSize);
}

void TBaseTable::GetSequenceNumber(uint32_t&) { RaiseNotSupported(EngineOperationText::GetSequenceNumber); }

void TBaseTable::SetToSequenceNumber(uint32_t) { RaiseNotSupported(EngineOperationText::SetToSequenceNumber); }

void TBaseTable::GetCursorProps(CursorProperties& properties) {
  std::memset(&properties, 0, sizeof properties);
  uint16_t fieldCount = 0;
  uint16_t layoutSize = 0;
  GetRecordLayoutSize(fieldCount, layoutSize);
  properties.FieldCount = fieldCount;
  properties.RecordSize = layoutSize;
  properties.RecordBufferSize = HasFieldStatus() ? GetRecordBufferSize() : GetRecordSize();
  properties.KeySize = key_.KeySize;
  properties.BookmarkSize = GetBookmarkSize();
  properties.BookmarkStable = shareMode_ == ExclusiveMode ? -1 : 0;
  properties.OpenMode = openMode_;
  properties.ShareMode = shareMode_;
  properties.SequenceNumbers = -1;
  properties.TranslateMode = 0;
  properties.Word337 = -1;
  properties.Rights = 255;
  properties.FilterCount = static_cast<uint16_t>(filterList_->Count());
}

void TBaseTable::GetExactRecordCount(uint32_t& count) {
  count = 0;
  RecordBufferKeeper keeper(*this);
  std::vector<uint8_t> record(GetRecordBufferSize());
  std::vector<uint8_t> bookmark(GetBookmarkSize());
  bool positioned = true;
  try {
    GetBookmark(bookmark.data());
  } catch (const EKorvoEngineError&) {
    positioned = false;
  }
  SetToBegin();
  try {
    for (;;) {
      GetNextRecord(0, record.data(), nullptr);
      ++count;
      if (count % kRecordsPerMessagePass == 0) ProcessPendingMessages();
    }
  } catch (const EKorvoBoundryError&) {
  }
  if (positioned) SetToBookmark(bookmark.data());
}

void TBaseTable::ForceRecordReread(void* record) {
  ForceReread();
  GetRecord(0, record, nullptr);
}

void TBaseTable::CompareKeys(const void* key1, const void* key2, int& result, uint16_t length, uint16_t fieldCount) {
  result = 0;
  if (fieldCount == 0 && length == 0) fieldCount = key_.FieldCount;
  fieldCount = std::min<uint16_t>(fieldCount, KeyDescription::MaxFields);
  const auto* part1 = static_cast<const uint8_t*>(CheckParam(key1));
  const auto* part2 = static_cast<const uint8_t*>(key2 ? key2 : GetRecordBuffer());
  CheckParam(part2);
  uint16_t field = 0;
  for (; field < fieldCount && result == 0; ++field) {
    TFieldCacheItem* item = fieldCache_->GetFieldItem(key_.FieldNumbers[field]);
    const KeySegment& segment = key_.Segments[field];
    uint16_t size = item->LocalSize();
    const uint16_t localType = item->LocalType();
    if (field + 1 == fieldCount && length != 0) {
      size = length;
    } else if (segment.Override) {
      size = segment.SubstituteLength;
      item->SetLocalType(segment.SubstituteLocalType);
    }
    try {
      if (segment.CaseInsensitive && item->FieldType() == LogicalFieldType::Text) {
        const AnsiString folded1 = AnsiUpperCase(AnsiString(reinterpret_cast<const char*>(part1), size));
        const AnsiString folded2 = AnsiUpperCase(AnsiString(reinterpret_cast<const char*>(part2), size));
        result = CompareField(item->FieldType(), item, folded2.data(), folded1.data(), false, size);
      } else {
        result = CompareField(item->FieldType(), item, part2, part1, false, size);
      }
    } catch (...) {
      item->SetLocalType(localType);
      throw;
    }
    item->SetLocalType(localType);
    part1 += size;
    part2 += size;
  }
  if (result != 0 && key_.Segments[field - 1].Descending) result = -result;
}

void TBaseTable::ResolveIndexName(const char* name, uint16_t& indexNumber, char* resolvedName) {
  CheckParam(name);
  CheckParam(resolvedName);
  const AnsiString text = name;
  if (text.find('@') == AnsiString::npos) {
    CopyTextZ(resolvedName, name, FieldDescriptor::NameSize - 1);
    return;
  }
  std::vector<uint16_t> wanted;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('@', start);
    if (end == AnsiString::npos) end = text.size();
    if (end > start) wanted.push_back(fieldCache_->FieldNumberByName(text.substr(start, end - start)));
    start = end + 1;
  }
  if (wanted.empty()) RaiseEngineError(DBIERR_INVALIDINDEXNAME);
  // A key of more fields than an index descriptor holds cannot be any index's.
  if (wanted.size() > IndexDescriptor::MaxKeyFields) RaiseEngineError(DBIERR_INVALIDINDEXNAME);
  IndexDescriptor descriptor;
  for (uint32_t number = 0; number <= UINT16_MAX; ++number) {
    GetIndexDesc(static_cast<uint16_t>(number), descriptor);
    if (descriptor.KeyFieldCount < wanted.size()) continue;
    if (!std::equal(wanted.begin(), wanted.end(), descriptor.KeyFields)) continue;
    if (wanted.size() < IndexDescriptor::MaxKeyFields && descriptor.KeyFields[wanted.size()] != 0) continue;
    indexNumber = static_cast<uint16_t>(number);
    CopyTextZ(resolvedName, descriptor.Name, FieldDescriptor::NameSize - 1);
    return;
  }
  RaiseEngineError(DBIERR_INVALIDINDEXNAME);
}

void TBaseTable::SwitchToIndex(const char*, const char*, uint16_t, bool) {
  RaiseNotSupported(EngineOperationText::SwitchToIndex);
}

void TBaseTable::SetToKey(uint16_t searchType, bool directKey, uint16_t fieldCount, uint16_t length, const void* key) {
  const uint16_t condition = searchType == 1 ? scAfter : (searchType == 2 ? scAtOrAfter : scEqual);
  RecordBufferKeeper keeper(*this);
  std::vector<uint8_t> scratch(GetRecordBufferSize());
  try {
    SearchKey(condition, directKey, scratch.data(), key, length, fieldCount);
  } catch (const EKorvoEngineError&) {
    if (condition == scEqual) throw;
    SetToEnd();
  }
  direction_ = cdForward;
  CheckPosition(scratch.data());
}

void TBaseTable::SearchKey(uint16_t, bool, void*, const void*, uint16_t, uint16_t) { RaiseEngineError(DBIERR_NA); }

void TBaseTable::ExtractKey(const void* record, void* key) {
  uint16_t keyLength = 0;
  ExtractKeyFields(record, key, keyLength, 0, 0);
}

void TBaseTable::ExtractKeyFields(const void*, void*, uint16_t&, uint16_t, uint16_t) { RaiseEngineError(DBIERR_NA); }

void TBaseTable::GetIndexDesc(uint16_t, IndexDescriptor& descriptor) {
  std::memset(&descriptor, 0, sizeof descriptor);
  RaiseEngineError(DBIERR_INVALIDHNDL);
}

void TBaseTable::GetIndexDescs(IndexDescriptor* descriptors) {
  CheckParam(descriptors);
  CursorProperties properties;
  GetCursorProps(properties);
  for (uint16_t number = 0; number < properties.IndexCount; ++number) GetIndexDesc(number, descriptors[number]);
}

void TBaseTable::DeleteAllRecords() {
  for (int pass = 0; pass <= kFurtherDeletePasses; ++pass) {
    try {
      for (;;) {
        FirstInRange();
        DeleteRecord(nullptr);
        ProcessPendingMessages();
      }
    } catch (const EKorvoEngineError&) {
    }
    uint32_t remaining = 0;
    GetExactRecordCount(remaining);
    if (remaining == 0) break;
  }
  SetToBegin();
}

// The table is emptied open exclusively; whatever happens, the cursor gets back its share mode,
// and a cursor that had to be reopened is reopened in it (or, closed before, closed again).
void TBaseTable::EmptyTable() {
  const uint32_t sharing = shareMode_;
  const bool wasOpen = state_ != csClosed;
  const bool reopen = !wasOpen || shareMode_ != ExclusiveMode;
  CursorProperties properties;
  auto restore = [&] {
    shareMode_ = sharing;
    if (!reopen) return;
    Deactivate();
    if (!wasOpen) return;
    Activate();
    GetCursorProps(properties);
  };
  try {
    if (reopen) {
      Deactivate();
      shareMode_ = ExclusiveMode;
      Activate();
    }
    GetCursorProps(properties);
    DeleteAllRecords();
  } catch (...) {
    try {
      restore();
    } catch (const EKorvoEngineError&) {
      // The first error is the one to report.
    }
    throw;
  }
  restore();
}

void TBaseTable::AddIndex(const IndexDescriptor&, const char*) { RaiseNotSupported(EngineOperationText::AddIndex); }

void TBaseTable::DeleteIndex(const char*, const char*, uint16_t) { RaiseNotSupported(EngineOperationText::DeleteIndex); }

void TBaseTable::BeginCachedUpdates(TBaseTable*& cursor) { cursor = CreateCursor<TBaseCacheTable>(this); }

void TBaseTable::EndCachedUpdates(TBaseTable*&) { RaiseNotSupported(EngineOperationText::EndCachedUpdates); }

void TBaseTable::ApplyCachedUpdates(uint16_t) { RaiseNotSupported(EngineOperationText::ApplyCachedUpdates); }

void TBaseTable::GetCacheTable(TBaseTable*&) { RaiseNotSupported(EngineOperationText::GetCacheTable); }

void TBaseTable::OpenBlob(void*, uint16_t, uint32_t) { RaiseNotSupported(EngineOperationText::OpenBlob); }

void TBaseTable::GetBlobSize(void*, uint16_t, uint32_t&) { RaiseNotSupported(EngineOperationText::GetBlobSize); }

void TBaseTable::GetBlob(void*, uint16_t, uint32_t, uint32_t, void*, uint32_t&) {
  RaiseNotSupported(EngineOperationText::GetBlob);
}

void TBaseTable::PutBlob(void*, uint16_t, uint32_t, uint32_t, const void*) { RaiseNotSupported(EngineOperationText::PutBlob); }

void TBaseTable::TruncateBlob(void* record, uint16_t fieldNumber, uint32_t length) {
  PutBlob(record, fieldNumber, 0, length, nullptr);
}

void TBaseTable::GetField(uint16_t fieldNumber, void* record, bool& blank, void* destination) {
  CheckParam(record);
  TFieldCacheItem* item = fieldCache_->GetFieldItem(fieldNumber);
  item->SetRecord(record);
  if (destination) {
    GetFieldValue(item, record, blank, destination);
  } else if (HasFieldStatus()) {
    blank = item->IsBlank();
    return;
  } else {
    // Only a conversion tells whether the stored value means "no value".
    std::vector<uint8_t> scratch(item->FieldLength() < kScratchFieldSize ? kScratchFieldSize : item->FieldLength() + 1u);
    GetFieldValue(item, record, blank, scratch.data());
  }
  item->SetBlank(blank);
}

void TBaseTable::PutField(uint16_t fieldNumber, void* record, const void* value) {
  CheckParam(record);
  TFieldCacheItem* item = fieldCache_->GetFieldItem(fieldNumber);
  item->SetRecord(record);
  PutFieldValue(item, record, value);
  item->SetChanged(true);
  item->SetBlank(value == nullptr);
}

void TBaseTable::VerifyField(uint16_t fieldNumber, void* value, bool& blank) { GetField(fieldNumber, value, blank, nullptr); }
