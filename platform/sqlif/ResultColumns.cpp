#include "platform/sqlif/ResultColumns.h"

#include <algorithm>
#include <cctype>

namespace qn::sqlif {

void formComputedColumn(ResultColumn& column, uint16_t decimals) {
  std::string upper = column.name;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  const bool sumOrAverage = upper.find("SUM(") != std::string::npos || upper.find("AVG(") != std::string::npos;
  column.described = {storedType::string, 0, decimals};
  if (upper.find("COUNT(") != std::string::npos)
    column.written = {storedType::integer, 4, 0};
  else if (sumOrAverage && decimals == 0)
    column.written = {storedType::floating, 8, 0};
  else
    column.described = column.written =
        sumOrAverage ? ColumnType{storedType::floating, 8, decimals} : ColumnType{storedType::string, computedTextSize, 0};
}

size_t layOutColumns(std::vector<ResultColumn>& columns) {
  size_t offset = 2;
  for (ResultColumn& c : columns) {
    c.offset = static_cast<uint16_t>(offset);
    offset += c.written.size;
  }
  return offset + rowTrailerSize;
}

}  // namespace qn::sqlif
