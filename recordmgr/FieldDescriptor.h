#pragma once
// The engine's 62-byte description of one field, as the table layout resources carry it and the
// cursors hand it to the dataset layer, byte for byte (little-endian, no padding).
#include <cstddef>
#include <cstdint>

// Logical field types (FieldType). The engine compares the ones marked by value; every other type
// compares byte by byte.
namespace LogicalFieldType {
constexpr uint16_t Text = 1;  // zero-terminated; by value
constexpr uint16_t Date = 2;
constexpr uint16_t Boolean = 4;      // 1, 2 or 4 bytes, non-zero is true; by value
constexpr uint16_t Int16 = 5;        // signed, 1 or 2 bytes; by value
constexpr uint16_t Int32 = 6;        // by value
constexpr uint16_t Float = 7;        // 8 bytes; by value
constexpr uint16_t Bcd = 8;
constexpr uint16_t Time = 10;
constexpr uint16_t Timestamp = 11;   // 8 bytes; by value as a signed 64-bit integer
constexpr uint16_t UInt16 = 12;      // unsigned, 1 or 2 bytes; by value
constexpr uint16_t UInt32 = 13;      // by value
constexpr uint16_t Float10 = 14;
}  // namespace LogicalFieldType

#pragma pack(push, 1)
struct FieldDescriptor {
  static constexpr size_t NameSize = 32;  // 31 characters and the terminating zero

  uint16_t FieldNumber;  // 1-based
  char FieldName[NameSize];
  uint16_t FieldType;  // logical type, above
  uint16_t FieldSubType;
  int16_t FieldUnits1;
  int16_t FieldUnits2;  // decimal places where the type has them
  uint16_t Offset;      // in the record buffer, 0-based
  uint16_t FieldLength;
  // 0: no null indicator. Otherwise the place in the record buffer of the field's 16-bit null
  // indicator (-1 blank, 0 not blank), with its 16-bit changed flag 4 bytes after it.
  uint16_t NullOffset;
  uint8_t Carried[10];  // validity-check, rights and calculated-field entries, passed on unread
  uint16_t LocalType;   // the type values are handed to the dataset layer in
  uint16_t LocalSize;   // the size of such a value
};
#pragma pack(pop)

static_assert(sizeof(FieldDescriptor) == 62);
static_assert(offsetof(FieldDescriptor, FieldType) == 34);
static_assert(offsetof(FieldDescriptor, Offset) == 42);
static_assert(offsetof(FieldDescriptor, NullOffset) == 46);
static_assert(offsetof(FieldDescriptor, LocalSize) == 60);
