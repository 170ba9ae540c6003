#include "recordmgr/tests/BtrDictionaryFolder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "recordmgr/DictionaryFieldRecord.h"
#include "recordmgr/DictionaryTableRecord.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/WinBtr.h"
#include "recordmgr/tests/EngineFiles.h"
#include "testing/TestDirs.h"

namespace btrtest {
namespace {

constexpr uint16_t kDuplicates = 0x01;
constexpr uint16_t kModifiable = 0x02;
constexpr uint8_t kInteger = 1;
constexpr uint16_t kIndexRecord = 10;
constexpr uint16_t kExtensionRecord = 8;

void padded(char* field, size_t size, const std::string& text) {
  std::memset(field, ' ', size);
  std::memcpy(field, text.data(), std::min(size, text.size()));
}

}  // namespace

DictionaryFolder::DictionaryFolder(bool withFieldExtensions) : dir_(qn::testing::makeScratchDir("dictionary")) {
  using recordingtest::createRecordFile;
  createRecordFile(dir_ + "/FILE.DDF", sizeof(DictionaryTableRecord),
                   {{1, 2, 0, kInteger}, {3, 20, kDuplicates | kModifiable}});
  createRecordFile(dir_ + "/FIELD.DDF", sizeof(DictionaryFieldRecord),
                   {{1, 2, 0, kInteger}, {3, 2, kDuplicates, kInteger}});
  createRecordFile(dir_ + "/INDEX.DDF", kIndexRecord, {{1, 2, kDuplicates, kInteger}});
  if (withFieldExtensions) createRecordFile(dir_ + "/FIELDEXT.DDF", kExtensionRecord, {{1, 6, 0}});
}

void DictionaryFolder::insert(const char* file, const void* record, uint16_t length) const {
  TWinBtr btr;
  btr.Open((dir_ + "/" + file).c_str(), nullptr, 0);
  std::memcpy(btr.DataBuffer, record, length);
  btr.Insert();
}

void DictionaryFolder::addTable(uint16_t id, const std::string& name, const std::string& location, uint8_t flags) {
  DictionaryTableRecord record{};
  record.TableId = id;
  padded(record.Name, sizeof record.Name, name);
  padded(record.Location, sizeof record.Location, location);
  record.Flags = flags;
  insert("FILE.DDF", &record, sizeof record);
}

void DictionaryFolder::addField(uint16_t fieldId, uint16_t tableId, const std::string& name, uint8_t type,
                                uint16_t offset, uint16_t size, uint8_t decimals) {
  DictionaryFieldRecord record{};
  record.FieldId = fieldId;
  record.TableId = tableId;
  padded(record.Name, sizeof record.Name, name);
  record.DataType = type;
  record.Offset = offset;
  record.Size = size;
  record.Decimals = decimals;
  insert("FIELD.DDF", &record, sizeof record);
}

void DictionaryFolder::addIndexSegment(uint16_t tableId, uint16_t fieldId) {
  uint8_t record[kIndexRecord] = {};
  std::memcpy(record, &tableId, 2);
  std::memcpy(record + 2, &fieldId, 2);
  insert("INDEX.DDF", record, sizeof record);
}

void DictionaryFolder::addFieldExtension(uint16_t tableId, uint16_t fieldId, uint8_t type) {
  uint8_t record[kExtensionRecord] = {};
  std::memcpy(record, &tableId, 2);
  std::memcpy(record + 2, &fieldId, 2);
  record[6] = type;
  insert("FIELDEXT.DDF", record, sizeof record);
}

int DictionaryFolder::recordsOf(const char* file, uint16_t tableId) const {
  TWinBtr btr;
  btr.Open((dir_ + "/" + file).c_str(), nullptr, 0);
  const size_t at = std::string(file) == "FIELD.DDF" ? 2 : 0;
  int count = 0;
  try {
    for (btr.GetFirst();; btr.GetNext()) {
      uint16_t id = 0;
      std::memcpy(&id, btr.DataBuffer + at, 2);
      if (id == tableId) ++count;
    }
  } catch (const EKorvoEOFError&) {
  }
  return count;
}

}  // namespace btrtest
