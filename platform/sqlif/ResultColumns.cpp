#include "platform/sqlif/ResultColumns.h"

#include <algorithm>
#include <cctype>

namespace qn::sqlif {

ColumnType computedColumnForm(const std::string& name, uint16_t decimals) {
  std::string upper = name;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  if (upper.find("COUNT(") != std::string::npos) return {storedType::integer, 4, 0};
  const bool sumOrAverage = upper.find("SUM(") != std::string::npos || upper.find("AVG(") != std::string::npos;
  if (sumOrAverage && decimals == 0) return {storedType::floating, 8, 0};
  return {storedType::string, 0, decimals};
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
