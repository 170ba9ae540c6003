#pragma once
// One record of a database's table dictionary (FILE.DDF): little-endian, no padding.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct DictionaryTableRecord {
  static constexpr size_t NameSize = 20;
  static constexpr size_t LocationSize = 64;
  static constexpr uint8_t DictionaryFile = 0x10;  // Flags: the entry describes a dictionary file

  uint16_t TableId;
  char Name[NameSize];          // padded with blanks
  char Location[LocationSize];  // the file, padded with blanks; without a folder it lies in the database's
  uint8_t Flags;
  uint8_t Reserved[10];
};
#pragma pack(pop)

static_assert(sizeof(DictionaryTableRecord) == 97);
static_assert(offsetof(DictionaryTableRecord, Flags) == 86);
