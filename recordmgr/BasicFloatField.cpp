#include "recordmgr/BasicFloatField.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "framework/base/DecimalDigits.h"

namespace {

// The IEEE single's exponent is 2 below the stored one; the double's 894 above it.
constexpr int kSingleShift = 2;
constexpr int kDoubleShift = 894;

// The value as the nearest single after rounding to 15 significant digits, the precision the
// text conversion of the stored form goes through.
float singleOf(double value) {
  const qn::DecimalDigits d = qn::toDecimal(value);
  if (d.isZero()) return 0.0f;
  const std::string text = "0." + d.digits + "e" + std::to_string(d.exponent);
  double rounded = 0;
  std::from_chars(text.data(), text.data() + text.size(), rounded);
  return static_cast<float>(d.negative ? -rounded : rounded);
}

}  // namespace

std::optional<double> ReadBasicFloat(const uint8_t* stored, size_t size) {
  if (size == 4) {
    const int exponent = stored[3];
    // The smallest exponents have no IEEE single beside them: read as zero too.
    if (exponent <= kSingleShift) return 0.0;
    const uint32_t mantissa = stored[0] | stored[1] << 8 | (stored[2] & 0x7Fu) << 16;
    const uint32_t sign = stored[2] >> 7;
    return static_cast<double>(
        std::bit_cast<float>(sign << 31 | static_cast<uint32_t>(exponent - kSingleShift) << 23 | mantissa));
  }
  if (size == 8) {
    const int exponent = stored[7];
    if (exponent == 0) return 0.0;
    uint64_t mantissa = 0;
    for (int i = 6; i >= 0; --i) mantissa = mantissa << 8 | stored[i];
    const uint64_t sign = mantissa >> 55 & 1;
    mantissa &= (uint64_t{1} << 55) - 1;
    return std::bit_cast<double>(sign << 63 | static_cast<uint64_t>(exponent + kDoubleShift) << 52 | mantissa >> 3);
  }
  return std::nullopt;
}

bool WriteBasicFloat(double value, uint8_t* stored, size_t size) {
  if ((size != 4 && size != 8) || !std::isfinite(value)) return false;
  if (size == 4) {
    const uint32_t bits = std::bit_cast<uint32_t>(singleOf(value));
    const int exponent = bits >> 23 & 0xFF;
    if (exponent == 0) {
      std::memset(stored, 0, 4);
      return true;
    }
    if (exponent + kSingleShift > 0xFF) return false;
    stored[0] = bits & 0xFF;
    stored[1] = bits >> 8 & 0xFF;
    stored[2] = static_cast<uint8_t>((bits >> 16 & 0x7F) | (bits >> 31) << 7);
    stored[3] = static_cast<uint8_t>(exponent + kSingleShift);
    return true;
  }
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const int exponent = bits >> 52 & 0x7FF;
  if (exponent - kDoubleShift <= 0) {
    std::memset(stored, 0, 8);
    return true;
  }
  if (exponent - kDoubleShift > 0xFF) return false;
  const uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) << 3 | (bits >> 63) << 55;
  for (int i = 0; i < 7; ++i) stored[i] = mantissa >> (8 * i) & 0xFF;
  stored[7] = static_cast<uint8_t>(exponent - kDoubleShift);
  return true;
}
