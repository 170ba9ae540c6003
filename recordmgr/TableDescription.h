#pragma once
// The engine's description of one table as a table list yields it (little-endian, no padding):
// 574 bytes, or 626 in an extended list, which adds the counts of the table's record.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TableDescription {
  static constexpr size_t NameSize = 261;

  char Name[NameSize];
  char FileName[NameSize];
  char Extension[4];
  char TableType[32];
  int32_t Date;
  int32_t Time;
  uint32_t Size;
  int16_t View;
  int16_t Synonym;
};

struct ExtendedTableDescription {
  TableDescription Base;
  uint16_t FieldCount;
  uint16_t RecordSize;  // bytes of the table's fixed record
  uint8_t Reserved[48];
};
#pragma pack(pop)

static_assert(sizeof(TableDescription) == 574);
static_assert(sizeof(ExtendedTableDescription) == 626);
