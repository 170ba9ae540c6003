#include "recordmgr/BtrTable.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/LittleEndianBytes.h"

namespace op = BtrieveOperationCodes;

namespace {

constexpr uint16_t kScale = 10000;  // percentages of the record manager
constexpr uint16_t kLockForWrite = 1;
constexpr int16_t kFileNotOpen = 3;
constexpr int16_t kInvalidKeyNumber = 6;
constexpr int16_t kTransactionBegun = 85;

}  // namespace

TBtrTable::TBtrTable(TBapiListItem* database, uint32_t shareMode, uint32_t openMode, const char* creationText,
                     const char* tableName, TKorvoCollection* list, const uint8_t* clientId)
    : TBtrBaseTable(database, shareMode, openMode, creationText, tableName, list, clientId) {}

uint16_t TBtrTable::SearchOperation(uint16_t condition) {
  switch (condition) {
    case scAtOrAfter: return op::GetAtOrAfter;
    case scAfter: return op::GetAfter;
    case scBefore: return op::GetBefore;
    case scAtOrBefore: return op::GetAtOrBefore;
    default: return op::GetEqual;
  }
}

int8_t TBtrTable::RecordManagerOpenMode() const {
  if (ShareMode() == ExclusiveMode) return ExclusiveOpen;
  if (OpenMode() == ReadOnlyMode) return ReadOnlyOpen;
  return NormalOpen;
}

void TBtrTable::SetRecordBuffer(void* record) {
  recordBuffer_ = static_cast<uint8_t*>(record);
  btr_->SetCallBuffer(record);
}

uint16_t TBtrTable::GetRecordSize() { return btr_->BufferSize; }

void TBtrTable::DoOpen() {
  btr_ = new TWinBtr(ClientId());
  if (physicalName_.empty()) physicalName_ = GetTableName();
}

void TBtrTable::DoClose() {
  delete btr_;  // closes the file
  btr_ = nullptr;
}

const uint8_t* TBtrTable::readInto(void* record) {
  void* target = record ? record : recordBuffer_;
  btr_->SetCallBuffer(target);
  return static_cast<const uint8_t*>(target ? target : btr_->DataBuffer);
}

void TBtrTable::MoveFirst() {
  readInto(nullptr);
  withTableName([&] { btr_->GetFirst(); });
}

void TBtrTable::MoveLast() {
  readInto(nullptr);
  withTableName([&] { btr_->GetLast(); });
}

void TBtrTable::MoveNext() {
  readInto(nullptr);
  withTableName([&] { btr_->GetNext(); });
}

void TBtrTable::MovePrior() {
  readInto(nullptr);
  try {
    withTableName([&] { btr_->GetPrevious(); });
  } catch (const EKorvoEOFError&) {
    RaiseEngineBOF();  // the record manager answers "end of file" at either end
  }
}

// The key the cursor was on stays its key: the file comes back in the key path it had.
void TBtrTable::Activate() {
  const int8_t key = btr_->KeyNumber;
  btr_->Open(physicalName_.c_str(), OwnerName().c_str(), static_cast<uint8_t>(RecordManagerOpenMode()));
  if (key > 0 && key < btr_->KeyCountSafe()) btr_->KeyNumber = key;
  TBtrBaseTable::Activate();
}

void TBtrTable::Deactivate() {
  TBtrBaseTable::Deactivate();
  try {
    btr_->Close();
  } catch (const EBtrieveEngineError& error) {
    if (error.BtrieveStatus() != kFileNotOpen) throw;
  }
}

void TBtrTable::GetBookmark(void* bookmark) {
  auto* bytes = static_cast<uint8_t*>(CheckParam(bookmark));
  std::memset(bytes, 0, BookmarkSize);
  std::memcpy(bytes + 4, btr_->KeyBuffer, TWinBtr::KeyBufferSize);
  uint32_t position = 0;
  withTableName([&] { position = btr_->GetPosition(); });
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(position >> (8 * i));
}

void TBtrTable::searchBookmarkKey(const uint8_t* bookmark) {
  const uint8_t* key = bookmark + 4;
  const uint16_t length = key_.KeySize != 0 ? key_.KeySize : TWinBtr::KeyBufferSize;
  readInto(nullptr);
  try {
    withTableName([&] { btr_->GetByKey(SearchOperation(scAtOrAfter), key, length, static_cast<uint8_t>(btr_->KeyNumber)); });
  } catch (const EKorvoEOFError&) {
    try {
      readInto(nullptr);
      withTableName(
          [&] { btr_->GetByKey(SearchOperation(scAtOrBefore), key, length, static_cast<uint8_t>(btr_->KeyNumber)); });
    } catch (const EKorvoEOFError&) {
      SetToBegin();
      return;
    }
  }
  state_ = csOnRecord;
}

void TBtrTable::SetToBookmark(const void* bookmark) {
  const auto* bytes = static_cast<const uint8_t*>(CheckParam(bookmark));
  const uint32_t position = ReadU32(bytes);
  bookmarkReached_ = false;
  if (position != 0) {
    try {
      btr_->GetDirectOwn(position);
      std::memcpy(btr_->KeyBuffer, bytes + 4, TWinBtr::KeyBufferSize);
      bookmarkReached_ = true;
      state_ = csOnRecord;
      return;
    } catch (const EBtrieveEngineError&) {
      // The record is gone: its key finds the place it had.
    }
  }
  searchBookmarkKey(bytes);
}

void TBtrTable::ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) {
  const auto* bytes = static_cast<const uint8_t*>(CheckParam(bookmark));
  const uint32_t position = ReadU32(bytes);
  auto readDirect = [&] {
    readInto(record);
    if (lock == kLockForWrite) btr_->LockNext();
    withTableName([&] { btr_->GetDirect(position); });
    std::memcpy(btr_->KeyBuffer, bytes + 4, TWinBtr::KeyBufferSize);
  };
  try {
    readDirect();
  } catch (const EBtrieveEngineError&) {
    btr_->NoLock();
    if (lock == kLockForWrite) return readDirect();
    readInto(record);
    const uint16_t length = key_.KeySize != 0 ? key_.KeySize : TWinBtr::KeyBufferSize;
    withTableName(
        [&] { btr_->GetByKey(SearchOperation(scAfter), bytes + 4, length, static_cast<uint8_t>(btr_->KeyNumber)); });
  }
}

uint16_t TBtrTable::IndexNameToKeyNumber(const char* indexName) {
  if (indexName == nullptr) RaiseEngineError(DBIERR_INVALIDINDEXNAME);
  std::string digits;
  for (size_t i = 0; i < 2 && indexName[i] != '\0'; ++i)
    if (indexName[i] >= '0' && indexName[i] <= '9') digits += indexName[i];
  if (digits.empty()) RaiseEngineError(DBIERR_INVALIDINDEXNAME);
  return static_cast<uint16_t>(std::stoi(digits));
}

void TBtrTable::LockNextRead(uint16_t mode) {
  if (mode == kLockForWrite) btr_->LockNext();
}

void TBtrTable::ReleaseLocks() {
  withTableName([&] { btr_->Unlock(); });
}

// The record manager makes the new record its current one, and so does the cursor: a read of
// the current record after an insert reads the record inserted, and reading goes on from it.
void TBtrTable::InsertRecord(uint16_t, void* record) {
  btr_->SetCallBuffer(CheckParam(record));
  if (HasVariableTail()) btr_->SetDataLength(TailDataLength(record));
  withTableName([&] { btr_->Insert(); });
  state_ = csOnRecord;
}

void TBtrTable::ModifyRecord(void* record, bool) {
  btr_->SetCallBuffer(CheckParam(record));
  if (HasVariableTail()) btr_->SetDataLength(TailDataLength(record));
  withTableName([&] { btr_->Update(); });
}

// The record manager continues from the deleted record's place: the cursor stands between
// records.
void TBtrTable::DeleteRecord(void* record) {
  readInto(record);
  withTableName([&] { btr_->Delete(); });
  state_ = csBetween;
}

// In integers: sequence = min(N, P × N div 10000) + 1 reads back what SetToSequenceNumber went to.
void TBtrTable::GetSequenceNumber(uint32_t& number) {
  uint32_t percent = 0;
  btr_->FindPercentage(true, percent);
  const uint64_t records = btr_->RecordCountSafe();
  number = static_cast<uint32_t>(std::min<uint64_t>(records, uint64_t{percent} * records / kScale) + 1);
  readInto(nullptr);
}

void TBtrTable::SetToSequenceNumber(uint32_t number) {
  const uint64_t records = btr_->RecordCountSafe();
  const uint32_t percent = number < records ? static_cast<uint32_t>(uint64_t{kScale} * number / records) : kScale;
  readInto(nullptr);
  withTableName([&] { btr_->GetByPercentage(true, percent); });
  readInto(nullptr);
  state_ = csOnRecord;
}

void TBtrTable::GetCursorProps(CursorProperties& properties) {
  TBtrBaseTable::GetCursorProps(properties);
  // The table's name leads the record; the block size sits where the published layout has it.
  constexpr size_t kNameSize = 261;
  constexpr size_t kBlockSizeAt = 387 - offsetof(CursorProperties, Driver341);
  const char* name = GetTableName();
  std::memcpy(properties.DriverHead, name, strnlen(name, kNameSize - 1));
  uint16_t fieldCount = 0;
  uint16_t layoutSize = 0;
  GetRecordLayoutSize(fieldCount, layoutSize);
  if (layoutSize > btr_->BufferSize) {
    if (recordBuffer_ == btr_->DataBuffer) recordBuffer_ = nullptr;
    btr_->SetBufferSize(layoutSize);
  }
  properties.RecordSize = btr_->BufferSize;
  properties.RecordBufferSize = btr_->BufferSize;
  properties.IndexCount = btr_->KeyCountSafe();
  uint16_t pageSize = 0;
  btr_->GetPageSize(pageSize);
  std::memcpy(properties.Driver341 + kBlockSizeAt, &pageSize, sizeof pageSize);
}

void TBtrTable::GetExactRecordCount(uint32_t& count) {
  if (lowRange_.Active || highRange_.Active || filtersActive_) return TBtrBaseTable::GetExactRecordCount(count);
  count = btr_->RecordCountSafe();
}

uint32_t TBtrTable::GetPhysicalPosition() {
  uint32_t position = 0;
  withTableName([&] { position = btr_->GetPosition(); });
  return position;
}

void TBtrTable::SetToPhysicalPosition(uint32_t position) {
  withTableName([&] { btr_->GetDirectOwn(position); });
  state_ = csOnRecord;
}

void TBtrTable::BeginTransaction() {
  if (inTransaction_) RaiseBtrieveErrorWithKey(kTransactionBegun, GetTableName());
  withTableName([&] { btr_->BeginTransaction(false); });
  inTransaction_ = true;
}

// A transaction begun here and not committed is rolled back, never left open.
void TBtrTable::EndTransaction(bool commit) {
  const bool begun = inTransaction_;
  inTransaction_ = false;
  if (!begun) return;
  withTableName([&] {
    if (commit)
      btr_->EndTransaction();
    else
      btr_->AbortTransaction();
  });
}

const uint8_t* TBtrTable::CurrentCollation() const { return keyHasAltCollation_ ? altCollation_ : nullptr; }

void TBtrTable::SwitchToIndex(const char* indexName, const char*, uint16_t indexNumber, bool keepCurrent) {
  const uint16_t key = indexName && *indexName ? IndexNameToKeyNumber(indexName) : indexNumber;
  std::vector<uint8_t> bookmark(BookmarkSize);
  if (keepCurrent) {
    try {
      GetBookmark(bookmark.data());
    } catch (const EBtrieveEngineError&) {
      RaiseEngineError(DBIERR_NOCURRREC);
    }
  }
  ResetRange();
  if (key >= btr_->KeyCountSafe()) RaiseBtrieveErrorWithKey(kInvalidKeyNumber, std::to_string(key));
  btr_->KeyNumber = static_cast<int8_t>(key);
  keyHasAltCollation_ = btr_->KeyHasAltCollation();
  if (keyHasAltCollation_) btr_->GetAltCollation(altCollation_);
  DescribeCurrentKey();
  if (keepCurrent) SetToBookmark(bookmark.data());
}
