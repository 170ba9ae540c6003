#pragma once
// TBaseListTable: a read-only cursor over fixed-size records handed over at creation, read
// forward only: each GetNextRecord gives the next record, end of file after the last. A list
// never rewinds; reading it again takes a new list. TIndexListTable: such a list of index
// descriptors (893 bytes each), as a database's OpenIndexList answers.
#include <cstdint>
#include <vector>

#include "recordmgr/BaseTable.h"
#include "recordmgr/IndexDescriptor.h"

class TBaseListTable : public TBaseTable {
  QN_CLASS(TBaseListTable, TBaseTable)
 public:
  // A private copy of count records of recordSize bytes (nil records: zeros); share mode 0, open
  // mode 1, no name. Use CreateCursor.
  TBaseListTable(TBapiListItem* database, uint16_t recordSize, uint16_t count, const void* records,
                 TKorvoCollection* list);

  uint16_t RecordCount() const { return count_; }

  // Open, before the first record.
  void DoOpen() override { Activate(); }
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;

 private:
  uint16_t count_;
  std::vector<uint8_t> records_;
  uint16_t position_ = 0;
};

class TIndexListTable : public TBaseListTable {
  QN_CLASS(TIndexListTable, TBaseListTable)
 public:
  TIndexListTable(TBapiListItem* database, uint16_t count, const IndexDescriptor* descriptors, TKorvoCollection* list)
      : TBaseListTable(database, sizeof(IndexDescriptor), count, descriptors, list) {}
};
