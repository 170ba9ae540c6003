#pragma once
// The engine's 893-byte description of one index (little-endian, no padding): its name and key
// fields as the cursors report them and the dataset layer reads them by byte position.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct IndexDescriptor {
  static constexpr size_t MaxKeyFields = 16;

  char Name[261];
  uint16_t IndexId;
  char TagName[32];
  char Format[32];
  int16_t Primary;
  int16_t Unique;
  int16_t Descending;
  int16_t Maintained;
  int16_t Subset;
  int16_t Expression;  // non-zero: an expression index
  uint16_t Cost;
  uint16_t KeyFieldCount;
  uint16_t KeyLength;  // bytes
  int16_t OutOfDate;
  uint16_t KeyExpressionType;
  uint16_t KeyFields[MaxKeyFields];  // field numbers, in key order
  char KeyExpression[221];
  char KeyCondition[221];
  int16_t CaseInsensitive;
  uint16_t BlockSize;
  uint16_t RestructureNumber;
  int16_t FieldDescending[MaxKeyFields];
  uint16_t Unused[16];
};
#pragma pack(pop)

static_assert(sizeof(IndexDescriptor) == 893);
static_assert(offsetof(IndexDescriptor, TagName) == 263);
static_assert(offsetof(IndexDescriptor, Primary) == 327);
static_assert(offsetof(IndexDescriptor, Expression) == 337);
static_assert(offsetof(IndexDescriptor, KeyFieldCount) == 341);
static_assert(offsetof(IndexDescriptor, KeyLength) == 343);
static_assert(offsetof(IndexDescriptor, KeyFields) == 349);
static_assert(offsetof(IndexDescriptor, KeyExpression) == 381);
static_assert(offsetof(IndexDescriptor, CaseInsensitive) == 823);
static_assert(offsetof(IndexDescriptor, FieldDescending) == 829);
