#include "recordmgr/ExtendedFloat.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

#include "framework/base/DecimalDigits.h"

static_assert(LDBL_MANT_DIG == 64, "the stored form is the x87 extended float");

namespace {

// The value's 15 significant digits as a number: the digits times a power of ten.
long double fifteenDigits(double value) {
  const qn::DecimalDigits d = qn::toDecimal(value);
  if (d.isZero()) return std::isfinite(value) ? 0.0L : static_cast<long double>(value);
  const long double digits = std::stold(d.digits);
  const int scale = d.exponent - static_cast<int>(d.digits.size());
  const long double magnitude = scale >= 0 ? digits * std::pow(10.0L, scale) : digits / std::pow(10.0L, -scale);
  return d.negative ? -magnitude : magnitude;
}

}  // namespace

double ReadExtendedFloat(const uint8_t* stored) {
  long double value = 0;
  std::memcpy(&value, stored, 10);
  return static_cast<double>(fifteenDigits(static_cast<double>(value)));
}

void WriteExtendedFloat(double value, uint8_t* stored) {
  const long double extended = fifteenDigits(value);
  std::memcpy(stored, &extended, 10);
}
