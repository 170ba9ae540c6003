#include "recordmgr/tests/KeyedCursor.h"

#include <cstring>
#include <string>

#include "recordmgr/EngineError.h"

namespace cursortest {

KeyedCursor::KeyedCursor(int recordCount, int keyFields) : CountingCursor(recordCount, 0u) { useKey(keyFields); }

void KeyedCursor::useKey(int keyFields) {
  KeyDescription& key = Key();
  key = KeyDescription{};
  key.FieldCount = static_cast<uint16_t>(keyFields);
  key.FieldNumbers[0] = 1;
  key.FieldNumbers[1] = 2;
  key.KeySize = keyFields == 1 ? 4 : 16;
}

void KeyedCursor::ExtractKeyFields(const void* record, void* key, uint16_t& keyLength, uint16_t, uint16_t) {
  Calls.push_back("extract");
  if (FailExtract) RaiseEngineError(InjectedErrorCode);
  keyLength = Key().KeySize;
  std::memcpy(key, record, keyLength);
}

void KeyedCursor::SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                            uint16_t fieldCount) {
  if (condition != scBefore && condition != scAtOrBefore)
    return CountingCursor::SearchKey(condition, directKey, record, key, length, fieldCount);
  Calls.push_back("search");
  LastSearchCondition = condition;
  const int32_t wanted = IdOf(key);
  for (int i = static_cast<int>(Records.size()) - 1; i >= 0; --i) {
    const int32_t id = IdOf(Records[i].data());
    if (condition == scBefore ? id >= wanted : id > wanted) continue;
    Position = i;
    state_ = csOnRecord;
    if (record) std::memcpy(record, Records[i].data(), RecordSize);
    return;
  }
  RaiseEngineBOF();
}

void KeyedCursor::SwitchToIndex(const char* indexName, const char*, uint16_t, bool) {
  Calls.push_back("switch");
  useKey(std::strcmp(indexName, "1") == 0 ? 1 : 2);
}

void KeyedCursor::write(const char* what) {
  if (Position < 0 || Position >= static_cast<int>(Records.size())) RaiseEngineError(DBIERR_NOCURRREC);
  const int32_t id = IdOf(Records[Position].data());
  Calls.push_back(std::string(what) + ":" + std::to_string(id));
  if (FailWritesOf.count(id)) RaiseEngineError(InjectedErrorCode);
}

void KeyedCursor::ModifyRecord(void* record, bool) {
  write("modify");
  std::memcpy(Records[Position].data(), record, RecordSize);
}

void KeyedCursor::DeleteRecord(void* record) {
  write("delete");
  CountingCursor::DeleteRecord(record);
}

std::vector<uint8_t> KeyOf(int32_t id, const char* name) {
  std::vector<uint8_t> key(16, 0);
  std::memcpy(key.data(), &id, sizeof id);
  if (name) std::memcpy(key.data() + 4, name, std::min<size_t>(std::strlen(name), 12));
  return key;
}

}  // namespace cursortest
