#include "resources/reader/JsonWholeNumber.h"

#include <cstdint>
#include <limits>

namespace qn::catalogue {

std::optional<int> wholeNumberValue(const nlohmann::json& value) {
  constexpr int64_t kLowest = std::numeric_limits<int>::min(), kHighest = std::numeric_limits<int>::max();
  if (value.is_number_unsigned()) {
    const uint64_t number = value.get<uint64_t>();
    if (number > static_cast<uint64_t>(kHighest)) return std::nullopt;
    return static_cast<int>(number);
  }
  if (!value.is_number_integer()) return std::nullopt;
  const int64_t number = value.get<int64_t>();
  if (number < kLowest || number > kHighest) return std::nullopt;
  return static_cast<int>(number);
}

}  // namespace qn::catalogue
