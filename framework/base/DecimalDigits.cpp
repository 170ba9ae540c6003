#include "framework/base/DecimalDigits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/base/CNotation.h"

namespace qn {
namespace {

void stripZeros(DecimalDigits& d) {
  size_t last = d.digits.find_last_not_of('0');
  d.digits.erase(last == std::string::npos ? 0 : last + 1);
  if (d.digits.empty()) d.exponent = 0;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
void keepDigits(DecimalDigits& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    d.exponent = 0;
    return;
  }
  bool up = d.digits[keep] >= '5';
  d.digits.erase(keep);
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && d.digits[i] == '9'; --i) d.digits[i] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    }
  }
  stripZeros(d);
}

}  // namespace

std::string DecimalDigits::integerDigits() const {
  if (exponent <= 0) return {};
  std::string out = digits.substr(0, exponent);
  out.resize(exponent, '0');
  return out;
}

std::string DecimalDigits::fractionDigits(int decimals) const {
  std::string out;
  for (int k = 0; k < decimals; ++k) {
    int index = exponent + k;
    out += index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
  }
  return out;
}

DecimalDigits toDecimal(double value, int significant) {
  DecimalDigits d;
  d.negative = std::signbit(value);
  if (value == 0 || !std::isfinite(value)) return d;
  significant = std::clamp(significant, 1, 15);
  char buffer[64];
  PrintCNotation(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
  // buffer: d.ddddde[+-]xx
  for (const char* p = buffer; *p && *p != 'e'; ++p)
    if (*p != '.') d.digits += *p;
  d.exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
  stripZeros(d);
  return d;
}

void roundToDecimals(DecimalDigits& d, int decimals) { keepDigits(d, d.exponent + decimals); }

void roundToSignificant(DecimalDigits& d, int significant) { keepDigits(d, significant); }

std::optional<std::string> nonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return std::nullopt;
}

}  // namespace qn
