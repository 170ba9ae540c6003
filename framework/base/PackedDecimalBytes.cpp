#include "framework/base/PackedDecimalBytes.h"

#include <cstdlib>
#include <string>

namespace qn {

bool packedSignNegative(uint8_t lastByte) {
  const uint8_t sign = lastByte & 0x0F;
  return sign == 0xD || sign == 0xB;
}

std::optional<double> readPackedDecimal(const uint8_t* bytes, size_t size, int decimals) {
  if (size == 0) return std::nullopt;
  std::string digits;
  bool zero = true;
  for (size_t k = 0; k < 2 * size - 1; ++k) {
    const uint8_t digit = k % 2 == 0 ? bytes[k / 2] >> 4 : bytes[k / 2] & 0x0F;
    if (digit > 9) return std::nullopt;
    zero = zero && digit == 0;
    digits += static_cast<char>('0' + digit);
  }
  if (zero) return 0.0;
  // An exponent rather than a point: the reading then depends on no locale, and it rounds once.
  const double magnitude = std::strtod((digits + "e" + std::to_string(-decimals)).c_str(), nullptr);
  return packedSignNegative(bytes[size - 1]) ? -magnitude : magnitude;
}

}  // namespace qn
