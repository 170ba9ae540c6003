#pragma once
// The counting cursor with a current key: on Id alone, or on Id and then Name (16 bytes). It
// extracts keys from records, logging "extract", searches backward as well as forward, and
// switches between its two keys ("switch"). Its writes log the record's Id ("modify:20",
// "delete:20") and fail for the Ids in FailWritesOf. Test code only.
#include <set>

#include "recordmgr/tests/CountingCursor.h"

namespace cursortest {

class KeyedCursor : public CountingCursor {
 public:
  // keyFields 1: Id; 2: Id and Name. Open and not positioned.
  KeyedCursor(int recordCount, int keyFields);

  // Extraction fails while set.
  bool FailExtract = false;
  std::set<int32_t> FailWritesOf;

  void ModifyRecord(void* record, bool releaseLock) override;
  void DeleteRecord(void* record) override;

  void ExtractKeyFields(const void* record, void* key, uint16_t& keyLength, uint16_t length,
                        uint16_t fieldCount) override;
  void SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                 uint16_t fieldCount) override;
  // Index "1": Id alone; any other: Id and Name.
  void SwitchToIndex(const char* indexName, const char* tagName, uint16_t indexNumber, bool keepCurrent) override;

 private:
  void useKey(int keyFields);
  // Logs a write of the current record and raises when it is to fail.
  void write(const char* what);
};

// A key in key form: Id, then Name (cut to 12 bytes) when given.
std::vector<uint8_t> KeyOf(int32_t id, const char* name = nullptr);

}  // namespace cursortest
