#include "framework/base/Rounding.h"

#include <cmath>

#include "framework/base/Exception.h"

namespace {

int64_t checked(double whole) {
  // 2^63 and beyond do not fit.
  if (!(std::fabs(whole) < 9223372036854775808.0)) throw EConvertError("Invalid floating point operation");
  return static_cast<int64_t>(whole);
}

}  // namespace

int64_t Round(double value) {
  double below = std::floor(value);
  double fraction = value - below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2) != 0)) below += 1;
  return checked(below);
}
int64_t Trunc(double value) { return checked(std::trunc(value)); }
