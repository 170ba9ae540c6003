#include "recordmgr/MemTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "recordmgr/EngineError.h"

namespace {

// The length a field takes in an in-memory record when its descriptor gives none.
uint16_t lengthOfType(const FieldDescriptor& field) {
  switch (field.FieldType) {
    case LogicalFieldType::Text: return static_cast<uint16_t>(field.FieldUnits1 + 1);
    case LogicalFieldType::Date:
    case LogicalFieldType::Float:
    case LogicalFieldType::Time:
    case LogicalFieldType::Timestamp: return 8;
    case LogicalFieldType::Boolean:
    case LogicalFieldType::Int16:
    case LogicalFieldType::UInt16: return 2;
    case LogicalFieldType::Int32:
    case LogicalFieldType::UInt32: return 4;
    case LogicalFieldType::Bcd: return static_cast<uint16_t>(std::abs(field.FieldUnits2));
    case LogicalFieldType::Float10: return 10;
    default: return static_cast<uint16_t>(field.FieldUnits1);
  }
}

int32_t numberOf(const void* bookmark) {
  int32_t number = 0;
  std::memcpy(&number, bookmark, sizeof number);
  return number;
}

}  // namespace

TMemTableRecord::TMemTableRecord(TMemTable* table, const void* data, const void* bookmark, uint32_t number)
    : TBapiListItem(table, nullptr), data_(table->GetRecordSize(), 0), bookmark_(table->GetBookmarkSize(), 0) {
  if (data) std::memcpy(data_.data(), data, data_.size());
  if (bookmark)
    std::memcpy(bookmark_.data(), bookmark, bookmark_.size());
  else
    std::memcpy(bookmark_.data(), &number, std::min(sizeof number, bookmark_.size()));
  properties_.PhysicalNumber = static_cast<uint32_t>(table->RecordCount());
  properties_.SequenceNumber = properties_.PhysicalNumber + 1;
}

const void* TCacheCollection::KeyOf(TObject* item) const { return static_cast<TMemTableRecord*>(item)->Bookmark(); }

int TCacheCollection::Compare(const void* key1, const void* key2) const {
  int result = 0;
  try {
    table_->CompareBookmarks(key1, key2, result);
  } catch (const EKorvoEngineError&) {
    return 1;
  }
  return result;
}

TMemTable::TMemTable(TBapiListItem* owner, TBaseTable* underlying, const FieldDescriptor* descriptors,
                     uint16_t bookmarkSize, uint16_t fieldCount, const char* name, TKorvoCollection* list)
    : TBaseTable(owner, 0, 0, nullptr, name, list), bookmarkSize_(bookmarkSize), underlying_(underlying) {
  uint32_t offset = 0;
  for (uint16_t i = 0; i < fieldCount; ++i) {
    FieldDescriptor field = CheckParam(descriptors)[i];
    if (field.FieldLength == 0) field.FieldLength = lengthOfType(field);
    field.Offset = static_cast<uint16_t>(offset);
    field.NullOffset = 0;
    offset += field.FieldLength;
    if (offset > UINT16_MAX) RaiseEngineError(DBIERR_INVALIDRECSTRUCT);
    new TFieldCacheItem(fieldCache_, 0, 0, static_cast<uint16_t>(i + 1), field);
  }
  recordSize_ = static_cast<uint16_t>(offset);
}

void TMemTable::SetRecordSize(uint16_t size) {
  if (RecordCount() > 0) RaiseEngineError(DBIERR_INVALIDPARAM);
  recordSize_ = size;
}

TMemTableRecord* TMemTable::Record(int index) const {
  return records_ ? static_cast<TMemTableRecord*>(records_->At(index)) : nullptr;
}

void TMemTable::DoOpen() {
  records_ = new TCacheCollection(this);
  Activate();
}

void TMemTable::DoClose() {
  delete records_;
  records_ = nullptr;
  current_ = nullptr;
  position_ = 0;
}

TMemTableRecord* TMemTable::newRecord(const void* data, const void* bookmark) {
  return new TMemTableRecord(this, data, bookmark, static_cast<uint32_t>(RecordCount() + 1));
}

bool TMemTable::moveTo(int position) {
  TMemTableRecord* record = Record(position - 1);
  if (!record) return false;
  position_ = position;
  current_ = record;
  state_ = csOnRecord;
  return true;
}

void TMemTable::freeRecords() {
  if (records_) records_->FreeAll();
  current_ = nullptr;
  position_ = 0;
}

TMemTableRecord& TMemTable::current() {
  if (!current_) RaiseEngineError(DBIERR_NOCURRREC);
  return *current_;
}

void TMemTable::MoveFirst() {
  if (RecordCount() == 0) RaiseEngineEOF();
  position_ = 1;
  GetRecord(0, GetRecordBuffer(), nullptr);
}

void TMemTable::MoveLast() {
  if (RecordCount() == 0) RaiseEngineBOF();
  position_ = RecordCount();
  GetRecord(0, GetRecordBuffer(), nullptr);
}

void TMemTable::MoveNext() {
  if (position_ >= RecordCount()) RaiseEngineEOF();
  ++position_;
  try {
    GetRecord(0, GetRecordBuffer(), nullptr);
  } catch (const EKorvoEngineError&) {
    RaiseEngineEOF();
  }
}

void TMemTable::MovePrior() {
  if (position_ <= 1) RaiseEngineBOF();
  --position_;
  GetRecord(0, GetRecordBuffer(), nullptr);
}

void TMemTable::NativeToLocal(uint16_t, uint16_t, bool& blank, void* destination, const void* source,
                              uint16_t fieldLength, int16_t) {
  std::memcpy(destination, source, fieldLength);
  blank = false;
}

void TMemTable::LocalToNative(uint16_t, uint16_t, void* field, const void* source, uint16_t fieldLength, int16_t) {
  if (source)
    std::memcpy(field, source, fieldLength);
  else
    std::memset(field, 0, fieldLength);
}

void TMemTable::GetBookmark(void* bookmark) {
  std::memcpy(CheckParam(bookmark), current().Bookmark(), GetBookmarkSize());
}

void TMemTable::SetToBookmark(const void* bookmark) {
  CheckParam(bookmark);
  for (int i = 0; i < RecordCount(); ++i) {
    TMemTableRecord* record = Record(i);
    if (record->Properties().UpdateStatus == rusInserted) continue;
    int result = 1;
    CompareBookmarks(record->Bookmark(), bookmark, result);
    if (result == 0 && moveTo(i + 1)) return;
  }
  RaiseEngineEOF();
}

void TMemTable::ReadAtBookmark(const void* bookmark, uint16_t, void* record) {
  SetToBookmark(bookmark);
  if (record) std::memcpy(record, current().Data(), GetRecordSize());
}

void TMemTable::CompareBookmarks(const void* bookmark1, const void* bookmark2, int& result) {
  if (underlying_) return underlying_->CompareBookmarks(bookmark1, bookmark2, result);
  const int32_t number1 = numberOf(CheckParam(bookmark1));
  const int32_t number2 = numberOf(CheckParam(bookmark2));
  result = number1 < number2 ? -1 : (number1 > number2 ? 1 : 0);
}

void TMemTable::FillRecordProps(void* properties) {
  if (properties && current_) std::memcpy(properties, &current_->Properties(), sizeof(RecordProperties));
}

void TMemTable::GetRecord(uint16_t, void* record, void* properties) {
  if (RecordCount() == 0 || position_ > RecordCount()) RaiseEngineEOF();
  if (position_ == 0) position_ = 1;
  if (!moveTo(position_)) RaiseEngineError(DBIERR_NOCURRREC);
  if (record) std::memcpy(record, current_->Data(), GetRecordSize());
  FillRecordProps(properties);
}

void TMemTable::InsertRecord(uint16_t, void* record) {
  TMemTableRecord* inserted = newRecord(record, nullptr);
  inserted->Properties().UpdateStatus = rusInserted;
  if (RecordCount() == 0 || position_ == 0) {
    records_->Add(inserted);
  } else {
    records_->Insert(position_ - 1, inserted);
  }
  moveTo(records_->IndexOf(inserted) + 1);
}

void TMemTable::DeleteRecord(void*) {
  TMemTableRecord* deleted = &current();
  records_->Remove(deleted);
  delete deleted;
  current_ = nullptr;
  --position_;
  state_ = csBetween;
}

void TMemTable::ClearDeleteMark() {
  TMemTableRecord* record = Record(position_ - 1);
  if (!record) RaiseEngineError(DBIERR_NOCURRREC);
  record->Properties().Deleted = 0;
}

void TMemTable::GetSequenceNumber(uint32_t& number) { number = current().Properties().SequenceNumber; }

void TMemTable::SetToSequenceNumber(uint32_t number) {
  for (int i = 0; i < RecordCount(); ++i)
    if (Record(i)->Properties().SequenceNumber == number && moveTo(i + 1)) return;
  RaiseEngineEOF();
}

void TMemTable::EmptyTable() {
  freeRecords();
  state_ = csOpen;
}

bool TMemTable::RecordVisible(uint8_t mask, bool hasCachedEntry) {
  if (!hasCachedEntry) return (mask & 0x08) != 0;
  switch (current().Properties().UpdateStatus) {
    case rusModified: return (mask & 0x01) != 0;
    case rusInserted: return (mask & 0x02) != 0;
    case rusDeleted: return (mask & 0x04) != 0;
    default: return true;
  }
}

void TMemTable::AddCachedRecord(const void* data, const void* bookmark) {
  records_->Add(newRecord(data, bookmark));
  moveTo(RecordCount());
}

void TMemTable::toCachedRecord(const void* data, const void* bookmark) {
  try {
    SetToBookmark(bookmark);
  } catch (const EKorvoEngineError&) {
    AddCachedRecord(data, bookmark);
    SetToBookmark(bookmark);
  }
}

void TMemTable::ModifyCachedRecord(const void* data, const void* bookmark) {
  bool added = false;
  if (bookmark) {
    const int before = RecordCount();
    toCachedRecord(data, bookmark);
    added = RecordCount() != before;
  }
  TMemTableRecord& record = current();
  if (data && !added) std::memcpy(record.Data(), data, GetRecordSize());
  record.Properties().UpdateStatus = rusModified;
}

void TMemTable::DeleteCachedRecord(const void* data, const void* bookmark) {
  if (bookmark) toCachedRecord(data, bookmark);
  TMemTableRecord& record = current();
  record.Properties().UpdateStatus = rusDeleted;
  record.Properties().Deleted = -1;
}

void TMemTable::ApplyToTable() {
  TBaseTable* target = CheckHandle(underlying_);
  for (int i = RecordCount() - 1; i >= 0; --i) {
    TMemTableRecord* record = Record(i);
    try {
      switch (record->Properties().UpdateStatus) {
        case rusModified:
          target->SetToBookmark(record->Bookmark());
          target->ModifyRecord(record->Data(), true);
          break;
        case rusInserted:
          target->AppendRecord(record->Data());
          break;
        case rusDeleted:
          target->SetToBookmark(record->Bookmark());
          target->DeleteRecord(record->Data());
          break;
        default:
          continue;
      }
      record->Applied = true;
    } catch (const EKorvoEngineError&) {
      // The caller learns of the failure from the applied flag left clear.
    }
  }
}

void TMemTable::ClearRecords() { freeRecords(); }
