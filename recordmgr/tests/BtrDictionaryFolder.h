#pragma once
// A small dictionary written by a test into a scratch folder: FILE.DDF (key 0 the table
// identifier, key 1 the name), FIELD.DDF (key 0 the field identifier, key 1 the table
// identifier), INDEX.DDF (key 0 the table identifier) and, when asked, FIELDEXT.DDF (key 0 the
// table and field identifiers and two zero bytes; the type at offset 6).
#include <cstdint>
#include <string>

namespace btrtest {

class DictionaryFolder {
 public:
  explicit DictionaryFolder(bool withFieldExtensions);

  const std::string& path() const { return dir_; }
  void addTable(uint16_t id, const std::string& name, const std::string& location, uint8_t flags = 0);
  void addField(uint16_t fieldId, uint16_t tableId, const std::string& name, uint8_t type, uint16_t offset,
                uint16_t size, uint8_t decimals = 0);
  void addIndexSegment(uint16_t tableId, uint16_t fieldId);
  void addFieldExtension(uint16_t tableId, uint16_t fieldId, uint8_t type);
  // The number of records of a dictionary file that belong to the table.
  int recordsOf(const char* file, uint16_t tableId) const;

 private:
  void insert(const char* file, const void* record, uint16_t length) const;
  std::string dir_;
};

}  // namespace btrtest
