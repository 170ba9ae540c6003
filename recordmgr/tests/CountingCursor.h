#pragma once
// A cursor over records held in memory that logs every call of its primitives, so that tests see
// what the abstract cursor asks of a driver. Its records are kept in key order (by Id). Test code
// only.
#include <string>
#include <vector>

#include "recordmgr/BaseTable.h"
#include "recordmgr/tests/CursorDriver.h"
#include "recordmgr/tests/PrimitiveCallLog.h"

namespace cursortest {

struct TestIndex {
  const char* name;
  std::vector<uint16_t> keyFields;
};

class CountingCursor : public TBaseTable, public PrimitiveCallLog {
 public:
  CountingCursor(int recordCount, uint32_t shareMode, bool fieldStatus = false, uint32_t openMode = 0);
  // A cursor of a database, in its cursor list, on that table.
  CountingCursor(TBapiListItem* database, TKorvoCollection* list, const char* tableName, int recordCount,
                 uint32_t shareMode, uint32_t openMode, const char* creationText);

  std::vector<TestIndex> Indexes;
  bool FieldStatus;
  std::vector<std::vector<uint8_t>> Records;
  int Position = -1;  // of the current record
  uint16_t LastSearchCondition = 0;

  // Caches both fields.
  void DoOpen() override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrior() override;
  void GetBookmark(void* bookmark) override;
  void SetToBookmark(const void* bookmark) override;
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override;
  void SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                 uint16_t fieldCount) override;
  void InsertRecord(uint16_t lock, void* record) override;
  void DeleteRecord(void* record) override;
  void ReleaseLocks() override;
  void Activate() override;
  void Deactivate() override;
  void DescribeField(uint16_t fieldNumber, uint16_t reserved, uint16_t& localSize, uint16_t& localType,
                     FieldDescriptor& descriptor) override;
  bool HasFieldStatus() override { return FieldStatus; }
  void NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination, const void* source,
                     uint16_t fieldLength, int16_t units2) override;
  void LocalToNative(uint16_t localType, uint16_t localSize, void* field, const void* source, uint16_t fieldLength,
                     int16_t units2) override;
  void GetIndexDesc(uint16_t number, IndexDescriptor& descriptor) override;
  // The abstract cursor's properties with the number of Indexes.
  void GetCursorProps(CursorProperties& properties) override;

 private:
  void deliver(void* record);
};

}  // namespace cursortest
