#pragma once
// Tests one record against a filter expression block (FilterExpression.h). The record is
// reached through FilterRecord, so a cursor of any kind can be tested. Any failure while
// evaluating rejects the record; nothing propagates.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/base/AnsiString.h"

namespace filterexpr {

// A typed value: a logical type, the bytes of the value, and whether it is blank.
struct TypedValue {
  uint16_t type = 0;
  std::string bytes;
};

class FilterRecord {
 public:
  virtual ~FilterRecord() = default;
  // The value of the field of that name in the record under test; nullopt when there is no
  // such field (the name then stands for itself as a text).
  virtual std::optional<TypedValue> FieldValue(const AnsiString& name) = 0;
  // Compares two values of the same logical type: the sign of a - b. length, when not 0,
  // limits a text comparison to that many bytes.
  virtual int CompareField(uint16_t type, const std::string& a, const std::string& b,
                           bool caseInsensitive, int length);
};

// Raises EDatabaseError naming the damage when block is not a whole expression block: its
// header disagrees with its size, or a node or literal it names lies outside its area, is of
// no known class, or is reached twice.
void CheckFilterBlock(const std::vector<uint8_t>& block);

// The value of the block's root node for record; false for a damaged block, which is refused
// before the record is consulted.
bool EvaluateFilter(const std::vector<uint8_t>& block, FilterRecord& record);

// The text form a value takes when compared with a value of another type.
AnsiString TextOfValue(const TypedValue& value);

}  // namespace filterexpr
