#include "recordmgr/BaseCacheTable.h"

#include <cstring>

#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"

namespace {

constexpr uint16_t kPropertyMask = 3;
constexpr uint16_t kPropertyIgnoreCachedData = 4;
constexpr uint16_t kPropertyCachedRecords = 5;

enum ApplyCommand : uint16_t {
  acForgetApplied = 0,
  acCancelAll = 1,
  acCancelCurrent = 2,
  acApply = 3,
};

// The modes the cursor underneath was opened with; 0 when it cannot tell.
CursorProperties propertiesOf(TBaseTable* underlying) {
  CursorProperties properties;
  try {
    CheckHandle(underlying)->GetCursorProps(properties);
  } catch (const EKorvoEngineError&) {
    std::memset(&properties, 0, sizeof properties);
  }
  return properties;
}

}  // namespace

TBaseCacheTable::TBaseCacheTable(TBaseTable* underlying)
    : TBaseCacheTable(underlying, propertiesOf(underlying)) {}

TBaseCacheTable::TBaseCacheTable(TBaseTable* underlying, const CursorProperties& properties)
    : TBaseTable(underlying->Owner(), properties.ShareMode, properties.OpenMode, nullptr, underlying->GetTableName(),
                 underlying->List()),
      underlying_(underlying),
      bookmark_(underlying->GetBookmarkSize()) {}

void TBaseCacheTable::DoOpen() {
  CursorProperties properties;
  underlying_->GetCursorProps(properties);
  const uint16_t fieldCount = properties.FieldCount;
  std::vector<FieldDescriptor> fields(fieldCount);
  underlying_->GetFieldDescs(fields.data());
  cache_ = CreateCursor<TMemTable>(this, underlying_, fields.data(), underlying_->GetBookmarkSize(), fieldCount,
                                   underlying_->GetTableName(), nullptr);
  cache_->SetRecordSize(underlying_->GetRecordBufferSize());
}

void TBaseCacheTable::DoClose() {
  delete cache_;
  cache_ = nullptr;
}

void TBaseCacheTable::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  switch (static_cast<uint16_t>(property)) {
    case kPropertyMask:
      return AnswerProperty(buffer, bufferSize, &mask_, 1, length);
    case kPropertyIgnoreCachedData: {
      const uint8_t flag = ignoreCachedData_ ? 1 : 0;
      return AnswerProperty(buffer, bufferSize, &flag, 1, length);
    }
    case kPropertyCachedRecords: {
      const uint32_t count = static_cast<uint32_t>(cache_->RecordCount());
      return AnswerProperty(buffer, bufferSize, &count, sizeof count, length);
    }
    default:
      underlying_->GetProperty(property, buffer, length, bufferSize);
  }
}

void TBaseCacheTable::SetProperty(uint32_t property, uint32_t value) {
  switch (static_cast<uint16_t>(property)) {
    case kPropertyMask:
      mask_ = static_cast<uint8_t>(value);
      break;
    case kPropertyIgnoreCachedData:
      ignoreCachedData_ = value > 0;
      break;
    default:
      underlying_->SetProperty(property, value);
  }
}

const void* TBaseCacheTable::underlyingBookmark() {
  underlying_->GetBookmark(bookmark_.data());
  return bookmark_.data();
}

bool TBaseCacheTable::RecordVisible(void* record, void* properties) {
  const void* bookmark = underlyingBookmark();
  bool found = false;
  try {
    cache_->SetToBookmark(bookmark);
    found = true;
  } catch (const EKorvoEngineError&) {
  }
  if (!cache_->RecordVisible(mask_, found)) return false;
  if (found) {
    TMemTableRecord* cached = cache_->CurrentRecord();
    if (!ignoreCachedData_ && record) std::memcpy(record, cached->Data(), cache_->GetRecordSize());
    if (properties) std::memcpy(properties, &cached->Properties(), sizeof(RecordProperties));
  } else if (properties) {
    std::memset(properties, 0, sizeof(RecordProperties));
  }
  return true;
}

void TBaseCacheTable::FirstInRange() {
  underlying_->FirstInRange();
  void* record = underlying_->GetRecordBuffer();
  if (!RecordVisible(record, nullptr)) GetNextRecord(0, record, nullptr);
}

void TBaseCacheTable::LastInRange() {
  underlying_->LastInRange();
  void* record = underlying_->GetRecordBuffer();
  if (!RecordVisible(record, nullptr)) GetPriorRecord(0, record, nullptr);
}

void TBaseCacheTable::GetNextRecord(uint16_t lock, void* record, void* properties) {
  do {
    underlying_->GetNextRecord(lock, record, properties);
  } while (!RecordVisible(record, properties));
}

void TBaseCacheTable::GetPriorRecord(uint16_t lock, void* record, void* properties) {
  do {
    underlying_->GetPriorRecord(lock, record, properties);
  } while (!RecordVisible(record, properties));
}

void TBaseCacheTable::GetRecord(uint16_t lock, void* record, void* properties) {
  underlying_->GetRecord(lock, record, properties);
  if (!RecordVisible(record, properties)) RaiseEngineError(DBIERR_NOCURRREC);
}

void TBaseCacheTable::ModifyRecord(void* record, bool) { cache_->ModifyCachedRecord(record, underlyingBookmark()); }

void TBaseCacheTable::DeleteRecord(void* record) {
  std::vector<uint8_t> current;
  if (!record) {
    current.resize(underlying_->GetRecordBufferSize());
    underlying_->GetRecord(0, current.data(), nullptr);
    record = current.data();
  }
  cache_->DeleteCachedRecord(record, underlyingBookmark());
}

void TBaseCacheTable::SwitchToIndex(const char*, const char*, uint16_t, bool) { RaiseEngineError(DBIERR_NOSUCHINDEX); }

void TBaseCacheTable::BeginCachedUpdates(TBaseTable*&) { RaiseNotSupported(EngineOperationText::BeginCachedUpdates); }

void TBaseCacheTable::EndCachedUpdates(TBaseTable*& cursor) {
  cursor = underlying_;
  delete this;
}

void TBaseCacheTable::ApplyCachedUpdates(uint16_t command) {
  switch (command) {
    case acForgetApplied:
      cache_->ClearRecords();
      break;
    case acCancelAll:
      cache_->EmptyTable();
      break;
    case acCancelCurrent:
      try {
        cache_->SetToBookmark(underlyingBookmark());
        cache_->DeleteRecord(nullptr);
      } catch (const EKorvoEngineError&) {
        // No change of the current record is cached: nothing to cancel.
      }
      break;
    case acApply:
      cache_->ApplyToTable();
      break;
    default:
      RaiseEngineError(DBIERR_INVALIDPARAM);
  }
}
