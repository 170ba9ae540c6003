#include "recordmgr/tests/BtrTestTables.h"

#include <cstring>

#include "recordmgr/BtrieveError.h"
#include "recordmgr/DictionaryFieldRecord.h"
#include "recordmgr/EngineError.h"

namespace btrtest {

std::unique_ptr<TBtrTable> openTable(const std::string& path, const std::vector<TestField>& fields, const char* index,
                                     uint32_t shareMode, uint32_t openMode, const uint8_t* clientId) {
  std::unique_ptr<TBtrTable> table(
      CreateCursor<TBtrTable>(nullptr, shareMode, openMode, "", path.c_str(), nullptr, clientId));
  table->SetPhysicalName(path);
  uint16_t number = 0;
  for (const TestField& field : fields) {
    DictionaryFieldRecord record{};
    std::memset(record.Name, ' ', sizeof record.Name);
    std::memcpy(record.Name, field.name, std::strlen(field.name));
    record.DataType = field.storedType;
    record.Offset = field.offset;
    record.Size = field.size;
    record.Decimals = field.decimals;
    table->AddDictionaryField(record, ++number);
  }
  table->Activate();
  table->SwitchToIndex(index, nullptr, 0, false);
  return table;
}

void insert(TBtrTable& table, const std::vector<uint8_t>& record) {
  std::vector<uint8_t> buffer(record);
  buffer.resize(table.GetRecordSize());
  table.InsertRecord(0, buffer.data());
}

void placeText(std::vector<uint8_t>& record, size_t offset, const std::string& text) {
  std::memcpy(record.data() + offset, text.data(), text.size());
}

int32_t int32At(const void* record, size_t offset) {
  int32_t value = 0;
  std::memcpy(&value, static_cast<const uint8_t*>(record) + offset, sizeof value);
  return value;
}

std::pair<int, std::string> failureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EBtrieveEngineError& error) {
    return {error.BtrieveStatus(), error.KeyText()};
  } catch (const EKorvoEOFError&) {
    return {9, ""};
  } catch (const EKorvoEngineError&) {
    return {-1, ""};
  }
  return {0, ""};
}

std::string textAt(const void* record, size_t offset, size_t size) {
  const char* text = static_cast<const char*>(record) + offset;
  return std::string(text, strnlen(text, size));
}

}  // namespace btrtest
