#include "recordmgr/ExtendedNumberForms.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "framework/base/CNotation.h"
#include "framework/base/Exception.h"
#include "framework/base/ValueBytes.h"
#include "recordmgr/StoredDateTime.h"

namespace {

constexpr int kDecimalExponentBias = 64;
constexpr int kDecimalFloatDigits = 17;
constexpr int kRealExponentBias = 129;
constexpr int kRealMantissaBits = 39;

// Digit k (0 to 16) of the ten-byte decimal float: byte 9's high nibble first.
int decimalDigitAt(const uint8_t* stored, int k) {
  const uint8_t byte = stored[9 - k / 2];
  return k % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace

std::optional<double> ReadDecimalFloat(const uint8_t* stored) {
  bool zero = true;
  for (int i = 0; i < 10; ++i) zero = zero && stored[i] == 0;
  if (zero) return 0.0;
  std::string text = stored[0] & 0x80 ? "-" : "";
  for (int k = 0; k < kDecimalFloatDigits; ++k) {
    const int digit = decimalDigitAt(stored, k);
    if (digit > 9) return std::nullopt;
    text += static_cast<char>('0' + digit);
    if (k == 0) text += '.';
  }
  text += "E" + std::to_string((stored[0] & 0x7F) - kDecimalExponentBias);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool WriteDecimalFloat(double value, uint8_t* stored) {
  if (!std::isfinite(value)) return false;
  if (std::fabs(value) < 1e-16) {
    std::memset(stored, 0, 10);
    return true;
  }
  char text[64];
  qn::PrintCNotation(text, sizeof text, "%.*e", kDecimalFloatDigits - 1, std::fabs(value));
  // text: d.dddddddddddddddde[+-]xx
  std::string digits;
  const char* at = text;
  for (; *at != 'e'; ++at)
    if (*at != '.') digits += *at;
  const int exponent = std::atoi(at + 1);
  if (exponent < -kDecimalExponentBias || exponent >= kDecimalExponentBias) return false;
  std::memset(stored, 0, 10);
  stored[0] = static_cast<uint8_t>(exponent + kDecimalExponentBias + (value < 0 ? 0x80 : 0));
  for (int k = 0; k < kDecimalFloatDigits; ++k) {
    const uint8_t digit = static_cast<uint8_t>(digits[k] - '0');
    stored[9 - k / 2] |= k % 2 == 0 ? digit << 4 : digit;
  }
  return true;
}

double ReadDateTimeTimestamp(const uint8_t* stored) {
  const double dateTime = FromBytes<double>(stored);
  const double days = std::trunc(dateTime);
  double milliseconds = std::round(std::fabs(dateTime - days) * MSecsPerEngineDay);
  return (days + DayNumberOfFirstDateTime) * MSecsPerEngineDay + milliseconds;
}

void WriteDateTimeTimestamp(double timestamp, uint8_t* stored) {
  const double milliseconds = std::round(timestamp);
  const double day = std::floor(milliseconds / MSecsPerEngineDay);
  const double timeOfDay = (milliseconds - day * MSecsPerEngineDay) / MSecsPerEngineDay;
  const double days = day - DayNumberOfFirstDateTime;
  ToBytes(stored, days >= 0 ? days + timeOfDay : days - timeOfDay);
}

double ReadSixByteReal(const uint8_t* stored) {
  if (stored[0] == 0) return 0.0;
  uint64_t mantissa = 0;
  for (int i = 5; i >= 1; --i) mantissa = mantissa << 8 | stored[i];
  const bool negative = mantissa >> kRealMantissaBits & 1;
  mantissa &= (uint64_t{1} << kRealMantissaBits) - 1;
  const double magnitude =
      std::ldexp(1.0 + std::ldexp(static_cast<double>(mantissa), -kRealMantissaBits), stored[0] - kRealExponentBias);
  return negative ? -magnitude : magnitude;
}

bool WriteSixByteReal(double value, uint8_t* stored) {
  std::memset(stored, 0, 6);
  if (!std::isfinite(value)) return false;
  if (value == 0) return true;
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
  uint64_t mantissa = static_cast<uint64_t>(std::floor(std::ldexp(2 * fraction - 1, kRealMantissaBits) + 0.5));
  int biased = exponent - 1 + kRealExponentBias;
  if (mantissa >> kRealMantissaBits) {
    mantissa = 0;
    ++biased;
  }
  if (biased < 1) return true;
  if (biased > 0xFF) throw EOverflow("Floating point overflow");
  stored[0] = static_cast<uint8_t>(biased);
  for (int i = 1; i <= 5; ++i) stored[i] = mantissa >> (8 * (i - 1)) & 0xFF;
  if (value < 0) stored[5] |= 0x80;
  return true;
}
