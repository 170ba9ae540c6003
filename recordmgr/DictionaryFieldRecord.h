#pragma once
// One record of a database's field dictionary (FIELD.DDF), the part of it the engine reads:
// little-endian, no padding.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct DictionaryFieldRecord {
  static constexpr size_t NameSize = 20;

  uint16_t FieldId;
  uint16_t TableId;     // the table's identifier in FILE.DDF
  char Name[NameSize];  // padded with blanks
  uint8_t DataType;     // the record manager's stored type
  uint16_t Offset;      // in the record
  uint16_t Size;        // in bytes; 0 for a field that is not stored
  uint8_t Decimals;
};
#pragma pack(pop)

static_assert(sizeof(DictionaryFieldRecord) == 30);
static_assert(offsetof(DictionaryFieldRecord, DataType) == 24);
