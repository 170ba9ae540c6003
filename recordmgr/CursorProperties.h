#pragma once
// The engine's 427-byte properties record of an open cursor (little-endian, no padding). The
// abstract cursor fills the entries named here; the areas between them are a driver's to fill.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct CursorProperties {
  uint8_t DriverHead[295];  // table name and type, among others
  uint16_t FieldCount;
  uint16_t RecordSize;
  uint16_t RecordBufferSize;
  uint16_t KeySize;
  uint16_t IndexCount;
  uint8_t Driver305[4];
  uint16_t BookmarkSize;
  int16_t BookmarkStable;  // -1 when the table is open exclusively
  uint32_t OpenMode;
  uint32_t ShareMode;
  uint8_t Driver321[2];
  int16_t SequenceNumbers;
  uint8_t Driver325[6];
  uint32_t TranslateMode;
  uint8_t Driver335[2];
  int16_t Word337;  // -1; what it means is a driver's to say
  uint16_t Rights;
  uint8_t Driver341[50];
  uint16_t FilterCount;
  uint8_t DriverTail[34];
};
#pragma pack(pop)

static_assert(sizeof(CursorProperties) == 427);
static_assert(offsetof(CursorProperties, FieldCount) == 295);
static_assert(offsetof(CursorProperties, IndexCount) == 303);
static_assert(offsetof(CursorProperties, BookmarkSize) == 309);
static_assert(offsetof(CursorProperties, OpenMode) == 313);
static_assert(offsetof(CursorProperties, SequenceNumbers) == 323);
static_assert(offsetof(CursorProperties, TranslateMode) == 331);
static_assert(offsetof(CursorProperties, Word337) == 337);
static_assert(offsetof(CursorProperties, Rights) == 339);
static_assert(offsetof(CursorProperties, FilterCount) == 391);
