#pragma once
// TMemTable: a table held in memory, one TMemTableRecord per record, each with its bookmark and
// update status, kept in bookmark order. It serves as an in-memory table of a database and as
// the store of pending changes of a cache table (BaseCacheTable.h), which gives it the cursor
// underneath to compare bookmarks with and to carry the changes to.
//
// Decisions where it differs from the plainest reading of its design:
// - Adding a record puts the table on the last record without copying that record into the
//   record buffer the driver was last given, which may no longer exist.
// - A read at a bookmark delivers the record into the buffer given, as every other read does.
// - An inserted record becomes the current one.
#include <cstdint>
#include <vector>

#include "recordmgr/BaseTable.h"
#include "recordmgr/RecordProperties.h"

class TMemTable;

// One record of an in-memory table. It is kept in its table's collection by the table, not by
// itself: the collection sorts by bookmark, which exists only once the record is whole.
class TMemTableRecord : public TBapiListItem {
  QN_CLASS(TMemTableRecord, TBapiListItem)
 public:
  // A copy of data (nil: zeros) of the table's record size and of the bookmark (nil: a bookmark
  // whose first 32 bits hold number).
  TMemTableRecord(TMemTable* table, const void* data, const void* bookmark, uint32_t number);

  RecordProperties& Properties() { return properties_; }
  uint8_t* Data() { return data_.data(); }
  const uint8_t* Bookmark() const { return bookmark_.data(); }
  bool Applied = false;  // its change has been carried to the cursor underneath

 private:
  RecordProperties properties_{};
  std::vector<uint8_t> data_;
  std::vector<uint8_t> bookmark_;
};

// The records of one in-memory table, in the order of the table's CompareBookmarks; an engine
// error comparing counts as "after".
class TCacheCollection : public TSortedCollection {
  QN_CLASS(TCacheCollection, TSortedCollection)
 public:
  explicit TCacheCollection(TMemTable* table) : table_(table) {}
  const void* KeyOf(TObject* item) const override;
  int Compare(const void* key1, const void* key2) const override;

 private:
  TMemTable* table_;
};

class TMemTable : public TBaseTable {
  QN_CLASS(TMemTable, TBaseTable)
 public:
  // The fields laid out one after another in their order, each of the descriptor's length or,
  // without one, the length of its type; the record size is the end of the last one.
  TMemTable(TBapiListItem* owner, TBaseTable* underlying, const FieldDescriptor* descriptors, uint16_t bookmarkSize,
            uint16_t fieldCount, const char* name, TKorvoCollection* list);

  TBaseTable* Underlying() const { return underlying_; }
  int RecordCount() const { return records_ ? records_->Count() : 0; }
  // 0-based, in bookmark order.
  TMemTableRecord* Record(int index) const;
  TMemTableRecord* CurrentRecord() const { return current_; }
  // Records hold that many bytes from now on: a cache keeps whole record buffers of the cursor
  // underneath, null indicators included, so that applying them writes whole records. Only
  // while the table holds no record (else invalid parameter).
  void SetRecordSize(uint16_t size);

  uint16_t GetBookmarkSize() override { return bookmarkSize_ ? bookmarkSize_ : 4; }
  // Makes the record list; the table is open afterwards.
  void DoOpen() override;
  void DoClose() override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrior() override;
  void NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination, const void* source,
                     uint16_t fieldLength, int16_t units2) override;
  void LocalToNative(uint16_t localType, uint16_t localSize, void* field, const void* source, uint16_t fieldLength,
                     int16_t units2) override;
  void GetBookmark(void* bookmark) override;
  // The first record, inserted ones passed over, whose bookmark compares equal; none: end of file.
  void SetToBookmark(const void* bookmark) override;
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override;
  // The cursor underneath compares; without one the first 32 bits, as signed numbers.
  void CompareBookmarks(const void* bookmark1, const void* bookmark2, int& result) override;
  void FillRecordProps(void* properties) override;
  void GetRecord(uint16_t lock, void* record, void* properties) override;
  void InsertRecord(uint16_t lock, void* record) override;
  void AppendRecord(void* record) override { AddCachedRecord(record, nullptr); }
  void ModifyRecord(void* record, bool releaseLock) override { ModifyCachedRecord(record, nullptr); }
  // Frees the current record; the next read forward reads the record after it.
  void DeleteRecord(void* record) override;
  // Clears the delete mark of the record at the position.
  virtual void ClearDeleteMark();
  void GetSequenceNumber(uint32_t& number) override;
  void SetToSequenceNumber(uint32_t number) override;
  void GetExactRecordCount(uint32_t& count) override { count = static_cast<uint32_t>(RecordCount()); }
  void EmptyTable() override;

  // Whether a record is shown under the update-record-types mask: without a cached entry bit 3;
  // with one (the current record) the bit of its status (1: bit 0, 2: bit 1, 3: bit 2).
  virtual bool RecordVisible(uint8_t mask, bool hasCachedEntry);
  // A new record of status 0 with the data and the bookmark (nil: the next number); the table is
  // on the last record afterwards.
  virtual void AddCachedRecord(const void* data, const void* bookmark);
  // The record of the bookmark (added when missing) or, without one, the current record takes
  // the data and becomes modified.
  virtual void ModifyCachedRecord(const void* data, const void* bookmark);
  // The record of the bookmark (added with the data when missing) or the current record becomes
  // deleted.
  virtual void DeleteCachedRecord(const void* data, const void* bookmark);
  // Carries every change to the cursor underneath (none: invalid handle), the last record first.
  // A record whose change fails stays without its applied flag; the others get it.
  virtual void ApplyToTable();
  virtual void ClearRecords();

 private:
  TMemTableRecord* newRecord(const void* data, const void* bookmark);
  // Makes the record at the 1-based position current; false when there is none.
  bool moveTo(int position);
  void freeRecords();
  // The current record or no current record (8709).
  TMemTableRecord& current();
  // Positioned on the record of the bookmark, adding it with the data when missing.
  void toCachedRecord(const void* data, const void* bookmark);

  uint16_t bookmarkSize_;
  TBaseTable* underlying_;
  TCacheCollection* records_ = nullptr;
  int position_ = 0;  // 1-based; 0 before the first
  TMemTableRecord* current_ = nullptr;
};
