#include "recordmgr/BaseListTable.h"

#include <cstring>

#include "recordmgr/EngineError.h"

TBaseListTable::TBaseListTable(TBapiListItem* database, uint16_t recordSize, uint16_t count, const void* records,
                               TKorvoCollection* list)
    : TBaseTable(database, 0, 1, nullptr, nullptr, list),
      count_(count),
      records_(static_cast<size_t>(count) * recordSize, 0) {
  recordSize_ = recordSize;
  if (records && !records_.empty()) std::memcpy(records_.data(), records, records_.size());
}

void TBaseListTable::GetNextRecord(uint16_t, void* record, void*) {
  CheckParam(record);
  if (position_ >= count_) RaiseEngineEOF();
  std::memcpy(record, records_.data() + static_cast<size_t>(position_) * recordSize_, recordSize_);
  ++position_;
  state_ = csOnRecord;
}
