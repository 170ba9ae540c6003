#include "recordmgr/BtrSqlAggTable.h"

#include <cstring>
#include <vector>

#include "recordmgr/EngineError.h"
#include "recordmgr/LittleEndianBytes.h"

namespace {

constexpr int16_t kLockedReread = 1024;

}  // namespace

void TBtrSqlAggTable::MoveFirst() {
  TBtrSqlBaseTable::MoveFirst();
  recordPosition_ = 1;
}

void TBtrSqlAggTable::MoveLast() {
  TBtrSqlBaseTable::MoveLast();
  recordPosition_ = LastRow;
}

void TBtrSqlAggTable::MoveNext() {
  TBtrSqlBaseTable::MoveNext();
  ++recordPosition_;
}

void TBtrSqlAggTable::MovePrior() {
  TBtrSqlBaseTable::MovePrior();
  --recordPosition_;
}

void TBtrSqlAggTable::GetBookmark(void* bookmark) {
  std::memcpy(CheckParam(bookmark), &recordPosition_, sizeof recordPosition_);
}

void TBtrSqlAggTable::seek(const void* bookmark, void* record) {
  const auto target = static_cast<int32_t>(ReadU32(CheckParam(bookmark)));
  state_ = csOpen;
  do {
    GetNextRecord(0, record, nullptr);
  } while (recordPosition_ != target);
}

void TBtrSqlAggTable::SetToBookmark(const void* bookmark) {
  void* previous = recordBuffer_;
  std::vector<uint8_t> scratch(GetRecordSize(), 0);
  try {
    seek(bookmark, scratch.data());
  } catch (...) {
    SetRecordBuffer(previous);
    throw;
  }
  SetRecordBuffer(previous);
  state_ = csOnRecord;
}

void TBtrSqlAggTable::ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) {
  SetRecordBuffer(CheckParam(record));
  seek(bookmark, record);
  if (lock == 1) Fetch(kLockedReread);
  state_ = csOnRecord;
}
