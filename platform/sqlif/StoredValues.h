#pragma once
// A column's stored form in a row buffer: the record manager's stored types, so the driver reads
// an SQL result with the same converters as a record file. Values live in SQLite as integers,
// reals and texts (dates "YYYY-MM-DD", times "HH:MM:SS.hh"); these functions turn one into the
// other, in both directions, without ever writing past the column.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qn::sqlif {

namespace storedType {
inline constexpr uint8_t string = 0;
inline constexpr uint8_t integer = 1;
inline constexpr uint8_t floating = 2;
inline constexpr uint8_t date = 3;
inline constexpr uint8_t time = 4;
inline constexpr uint8_t decimal = 5;
inline constexpr uint8_t logical = 7;
inline constexpr uint8_t zstring = 11;
inline constexpr uint8_t note = 12;
}  // namespace storedType

struct ColumnType {
  uint8_t storedType = storedType::string;
  uint16_t size = 0;
  uint16_t decimals = 0;
};

// Empty when the type and size go together; otherwise why not ("size 3 not allowed for integer").
std::string columnTypeProblem(const ColumnType& type);
bool knownStoredType(int type);
// The SQLite column type a table column of this stored type is declared with.
std::string_view sqlDeclaration(uint8_t storedType);

struct SqlValue {
  enum class Kind { null, integer, real, text };
  Kind kind = Kind::null;
  int64_t integer = 0;
  double real = 0;
  std::string text;

  static SqlValue ofInteger(int64_t v) { return {Kind::integer, v, 0, {}}; }
  static SqlValue ofReal(double v) { return {Kind::real, 0, v, {}}; }
  static SqlValue ofText(std::string v) { return {Kind::text, 0, 0, std::move(v)}; }
};

// Writes the value into the column's `size` bytes at `out`, cleared first. A null stays cleared.
// False when the value has no stored form in the column (a text that is no date, a number too
// wide for its digits); the bytes are then cleared.
bool storeValue(const SqlValue& value, const ColumnType& type, uint8_t* out);

// The value the column's bytes hold; nothing when they hold no value of the type (a month 13,
// a digit nibble above 9). All-zero dates, times and texts read as null.
std::optional<SqlValue> readStoredValue(const ColumnType& type, const uint8_t* bytes);

// Whether a value fits the column exactly as given (the creation tool's check); the reason when not.
std::string valueProblem(const SqlValue& value, const ColumnType& type);

}  // namespace qn::sqlif
