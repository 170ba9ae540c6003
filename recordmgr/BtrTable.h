#pragma once
// TBtrTable: the cursor over one open record-manager file, through its own call object. Every
// positioning, key search, read, write, count, bookmark and index change of a record-manager
// table becomes one or a few record-manager calls here.
//
// Index names are key numbers in decimal; only digits among the first two characters count (so
// an index description's name " 1 - A+B" names key 1). A bookmark is 260 bytes: the record's
// physical position, then the 256-byte key buffer.
//
// Where this cursor differs from the plainest reading of its design:
// - Unspecified trailing key segments of a packed-decimal type are filled with the lowest or
//   highest packed value of their length, not with zero or 0xFF bytes (zero bytes sort above
//   every negative amount).
// - Sequence numbers are computed in integers both ways, so going to number s reads back s.
// - Counting asks the record manager only while no range or filter is active; with one, the
//   records in range that pass the filters are counted by reading.
// - A record-manager failure of a record operation that names no file carries the table name as
//   its key text.
#include <cstdint>
#include <vector>

#include "recordmgr/BtrBaseTable.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/WinBtr.h"

class TBtrTable : public TBtrBaseTable {
  QN_CLASS(TBtrTable, TBtrBaseTable)
 public:
  static constexpr uint16_t BookmarkSize = 4 + TWinBtr::KeyBufferSize;
  static constexpr uint32_t ReadOnlyMode = 1;  // open mode of a table opened read-only
  // Record-manager open modes.
  static constexpr int8_t NormalOpen = 0;
  static constexpr int8_t ReadOnlyOpen = -2;
  static constexpr int8_t ExclusiveOpen = -4;

  TBtrTable(TBapiListItem* database, uint32_t shareMode, uint32_t openMode, const char* creationText,
            const char* tableName, TKorvoCollection* list, const uint8_t* clientId);

  TWinBtr& Btr() const { return *btr_; }
  bool InTransaction() const { return inTransaction_; }
  bool KeyHasAltCollation() const { return keyHasAltCollation_; }
  // The file the cursor opens: the full path (the table name until one is set).
  const AnsiString& PhysicalName() const { return physicalName_; }
  void SetPhysicalName(const AnsiString& path) { physicalName_ = path; }
  // Whether the last SetToBookmark reached the bookmarked record itself, not a neighbour.
  bool BookmarkReached() const { return bookmarkReached_; }
  // The record-manager open mode of the table's share and open modes.
  int8_t RecordManagerOpenMode() const;

  // --- The abstract cursor's operations ---
  void* GetRecordBuffer() override { return recordBuffer_; }
  void SetRecordBuffer(void* record) override;
  uint16_t GetRecordSize() override;
  uint16_t GetBookmarkSize() override { return BookmarkSize; }
  void DoOpen() override;
  void DoClose() override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrior() override;
  void Activate() override;
  // A file closed already is not an error.
  void Deactivate() override;
  void GetBookmark(void* bookmark) override;
  void SetToBookmark(const void* bookmark) override;
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override;
  const void* BookmarkKey(const void* bookmark) override { return static_cast<const uint8_t*>(bookmark) + 4; }
  void GetRecordForKey(bool directKey, uint16_t fieldCount, uint16_t length, const void* key, void* record) override;
  void ReleaseLocks() override;
  void InsertRecord(uint16_t lock, void* record) override;
  void ModifyRecord(void* record, bool releaseLock) override;
  void DeleteRecord(void* record) override;
  void GetSequenceNumber(uint32_t& number) override;
  void SetToSequenceNumber(uint32_t number) override;
  void GetCursorProps(CursorProperties& properties) override;
  void GetExactRecordCount(uint32_t& count) override;
  void SwitchToIndex(const char* indexName, const char* tagName, uint16_t indexNumber, bool keepCurrent) override;
  void SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                 uint16_t fieldCount) override;
  void ExtractKeyFields(const void* record, void* key, uint16_t& keyLength, uint16_t length,
                        uint16_t fieldCount) override;
  void GetIndexDesc(uint16_t number, IndexDescriptor& descriptor) override;
  void AddIndex(const IndexDescriptor& descriptor, const char* keyExpression) override;
  void DeleteIndex(const char* indexName, const char* tagName, uint16_t indexNumber) override;

  // --- The record manager's own ---
  // The key number an index name stands for; no digit among its first two characters raises
  // invalid index name.
  static uint16_t IndexNameToKeyNumber(const char* indexName);
  // The read operation of a search condition: 1 -> 9, 2 -> 8, 3 -> 10, 4 -> 11, else 5.
  static uint16_t SearchOperation(uint16_t condition);
  // Describes the current key for key comparisons (after opening, key 0).
  void DescribeCurrentKey();
  // The next read takes a single-record lock (mode 1).
  void LockNextRead(uint16_t mode);
  // A second begin through the same table raises status 85.
  void BeginTransaction();
  // Commits when asked and a transaction was begun here; the table is outside one afterwards.
  void EndTransaction(bool commit);
  uint32_t GetPhysicalPosition();
  void SetToPhysicalPosition(uint32_t position);

 protected:
  const uint8_t* CurrentCollation() const override;

 private:
  struct Segment {
    uint16_t position;  // 1-based
    uint16_t length;
    uint16_t flags;
    uint8_t type;
  };
  // The segments of key k from the file's statistics; empty when there is no such key.
  std::vector<Segment> keySegments(int key);
  TFieldCacheItem* segmentCarrier(uint16_t offset, bool& inside);
  // Builds the key search's key into key (the key buffer's size); answers its length.
  uint16_t buildKey(uint16_t condition, bool directKey, const void* source, uint16_t length, uint16_t fieldCount,
                    uint8_t* key);
  // Whether the first length bytes of two key images are equal in the current key's order.
  bool keyPartsEqual(const uint8_t* a, const uint8_t* b, size_t length) const;
  // Runs a record operation, naming the table in a record-manager failure that names nothing.
  template <typename Operation>
  void withTableName(Operation operation) {
    try {
      operation();
    } catch (const EBtrieveEngineError& error) {
      if (!error.KeyText().empty()) throw;
      throw EBtrieveEngineError(error.BtrieveStatus(), GetTableName());
    }
  }
  // Positions by the key inside a bookmark: at or after it, else at or before it, else at the
  // beginning.
  void searchBookmarkKey(const uint8_t* bookmark);
  // The next call reads into `record`, else into the cursor's record buffer; answers where the
  // record will be.
  const uint8_t* readInto(void* record);

  TWinBtr* btr_ = nullptr;
  AnsiString physicalName_;
  bool inTransaction_ = false;
  bool keyHasAltCollation_ = false;
  uint8_t altCollation_[TWinBtr::CollatingSequenceSize] = {};
  std::vector<Segment> segments_;  // of the current key
  bool bookmarkReached_ = false;
};
