#pragma once
// TBtrSqlAggTable: an SQL result whose rows have no position of their own (an aggregate); its
// bookmark is the row's number from 1, found again by reading from the first row. The number
// of the last row is not known: after MoveLast the bookmark is the largest 32-bit number.
#include <cstdint>

#include "recordmgr/BtrSqlBaseTable.h"

class TBtrSqlAggTable : public TBtrSqlBaseTable {
  QN_CLASS(TBtrSqlAggTable, TBtrSqlBaseTable)
 public:
  static constexpr int32_t LastRow = 2147483647;

  using TBtrSqlBaseTable::TBtrSqlBaseTable;

  int32_t RecordPosition() const { return recordPosition_; }

  uint16_t GetBookmarkSize() override { return sizeof(int32_t); }
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrior() override;
  void GetBookmark(void* bookmark) override;
  void SetToBookmark(const void* bookmark) override;
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override;

 private:
  // Reads from the first row into record until the bookmarked row is current.
  void seek(const void* bookmark, void* record);

  int32_t recordPosition_ = 0;
};
