#pragma once
// The columns of a result as the driver sees them: each described by a stored type, size and
// decimals, laid out in the row buffer after a 16-bit row length, each where the one before it
// ends as the driver reads it (a computed column at its written size, though described with
// size 0), with 4 unused bytes after the last.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sqlif/StoredValues.h"

namespace qn::sqlif {

struct ResultColumn {
  std::string name;      // as the statement names it
  ColumnType described;  // what the describe call reports (size 0 for a computed column)
  ColumnType written;    // how its values are written into a row buffer
  std::string table;   // of a table column
  std::string column;  // of a table column, as the table spells it
  uint16_t offset = 0;
};

// The longest text a computed column that is neither a count nor a sum or average holds.
inline constexpr uint16_t computedTextSize = 255;

// Describes and forms a computed column of the result. COUNT( (a 4-byte integer) and SUM( or
// AVG( without decimals (an 8-byte float) are described with type 0, size 0 and the decimals of
// the column they name, as the driver expects, which gives them those forms by name. Any other is
// described as what it is written as: SUM( or AVG( with decimals an 8-byte float with them,
// anything else a text of at most computedTextSize bytes.
void formComputedColumn(ResultColumn& column, uint16_t decimals);

// Sets the offsets; answers the row stride (the bytes a row takes in a buffer, its 4 unused bytes
// included).
size_t layOutColumns(std::vector<ResultColumn>& columns);

inline constexpr size_t rowTrailerSize = 4;

}  // namespace qn::sqlif
