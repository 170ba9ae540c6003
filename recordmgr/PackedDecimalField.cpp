#include "recordmgr/PackedDecimalField.h"

#include <string>

#include "recordmgr/DecimalText.h"

namespace {

constexpr uint8_t kNegativeSign = 0xD;
constexpr uint8_t kPositiveSign = 0xF;

}  // namespace

bool WritePackedDecimal(double value, uint8_t* stored, size_t size, int decimals) {
  std::optional<FixedDigits> fixed = ToFixedDigits(value, decimals);
  const size_t width = 2 * size - 1;
  if (size == 0 || !fixed || fixed->digits.size() > width) return false;
  std::string digits = std::string(width - fixed->digits.size(), '0') + fixed->digits;
  digits += static_cast<char>(fixed->negative ? kNegativeSign : kPositiveSign);
  for (size_t i = 0; i < size; ++i) {
    auto nibble = [&](size_t at) { return static_cast<uint8_t>(at == width ? digits[at] : digits[at] - '0'); };
    stored[i] = static_cast<uint8_t>(nibble(2 * i) << 4 | nibble(2 * i + 1));
  }
  return true;
}
