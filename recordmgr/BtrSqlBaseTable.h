#pragma once
// TBtrSqlBaseTable: the rows of an executed SQL statement, read through the statement's
// interface cursor as the engine reads a record-manager table. A row buffer holds the 16-bit row
// length, each column after the one before it (at 2 + the sizes the columns before it are read
// as, a computed column's included), and 4 spare bytes. The interface cursor belongs to the statement: freeing this cursor leaves it.
//
// The cursor stays closed after Activate (which runs the statement); SetToBegin precedes the
// first read. The end of the rows is end of file, whether the interface answers 9 or -109
// without a row (before the first row: beginning of file).
#include <cstdint>
#include <vector>

#include "recordmgr/BtrBaseTable.h"

class TBtrSqlBaseTable : public TBtrBaseTable {
  QN_CLASS(TBtrSqlBaseTable, TBtrBaseTable)
 public:
  static constexpr uint16_t SqlBookmarkSize = 100;
  static constexpr int16_t NoMoreRows = -109;
  static constexpr int16_t NoSuchColumn = 804;

  // Owned by the statement, with its client identifier; no table name, no object list.
  TBtrSqlBaseTable(TBapiListItem* statement, int16_t cursorId, const uint8_t* clientId);

  int16_t CursorId() const { return cursorId_; }

  // Property 0: the one-byte value kept for the caller; 1: the interface cursor (16 bits).
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  void SetProperty(uint32_t property, uint32_t value) override;
  // The interface cursor cannot be written.
  void CheckProperty(uint32_t property, bool flag) override;

  void* GetRecordBuffer() override;
  uint16_t GetRecordSize() override;
  uint16_t GetBookmarkSize() override { return SqlBookmarkSize; }
  void MoveFirst() override { Fetch(1); }
  void MoveLast() override { Fetch(4); }
  void MoveNext() override { Fetch(2); }
  // The end of the rows before the first reads as beginning of file.
  void MovePrior() override;
  // A memo last column takes a length-prefixed text into the row's tail.
  void PutFieldValue(TFieldCacheItem* field, void* record, const void* source) override;
  // Runs the statement again on the interface cursor; the cursor stays where it is.
  void Activate() override;
  // Describes one column; a computed column named COUNT( becomes a 4-byte integer, SUM( or AVG(
  // without decimals an 8-byte float; "^" in a name becomes "_".
  void DescribeField(uint16_t fieldNumber, uint16_t reserved, uint16_t& localSize, uint16_t& localType,
                     FieldDescriptor& descriptor) override;
  void GetBookmark(void* bookmark) override;
  void SetToBookmark(const void* bookmark) override;
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override;
  // A row whose length word is 0 gets the record size, or ends where its memo starts.
  void InsertRecord(uint16_t lock, void* record) override;
  void ModifyRecord(void* record, bool releaseLock) override;
  void DeleteRecord(void* record) override;
  void ReadBlock(uint32_t& count, void* buffer) override;
  void WriteBlock(uint32_t& count, void* buffer) override;
  // Columns are described until the interface knows no more (804).
  void GetCursorProps(CursorProperties& properties) override;

  // Reads the row the option names (0 again, 1 first, 2 next, 3 prior, 4 last; + 1024 locked)
  // into the record buffer; -109 with a row delivered is success, without one end of file.
  void Fetch(int16_t option);

 protected:
  void UpdateTailLength(void* record, TFieldCacheItem* field, uint32_t end) override;

 private:
  int16_t cursorId_;
  uint8_t propertyValue_ = 0;
  std::vector<uint8_t> ownRecord_;  // read into while the engine has given no record buffer
};
