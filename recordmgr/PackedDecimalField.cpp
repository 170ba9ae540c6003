#include "recordmgr/PackedDecimalField.h"

#include <string>

#include "recordmgr/DecimalText.h"

namespace {

constexpr uint8_t kNegativeSign = 0xD;
constexpr uint8_t kPositiveSign = 0xF;

}  // namespace

std::optional<double> ReadPackedDecimal(const uint8_t* stored, size_t size, int decimals) {
  if (size == 0) return std::nullopt;
  std::string digits;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t high = stored[i] >> 4, low = stored[i] & 0x0F;
    if (high > 9) return std::nullopt;
    digits += static_cast<char>('0' + high);
    if (i + 1 < size) {
      if (low > 9) return std::nullopt;
      digits += static_cast<char>('0' + low);
    }
  }
  std::optional<double> value = ParseDecimalText(InsertDecimalPoint(digits, decimals));
  if (!value) return std::nullopt;
  const bool negative = (stored[size - 1] & 0x0F) == kNegativeSign;
  return negative && *value != 0 ? -*value : *value;
}

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
