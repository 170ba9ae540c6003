#pragma once
// The decimal digits of a double, the one source of every number-to-text conversion. A double
// holds 15 reliable significant digits; taking exactly those first makes 2.675 show as 2.68 and
// 0.1 + 0.2 as 0.3, as a person reading the number expects. Every later rounding is half away
// from zero on these decimal digits.
#include <optional>
#include <string>

namespace qn {

struct DecimalDigits {
  bool negative = false;
  std::string digits;  // significant digits without leading or trailing zeros; empty for zero
  int exponent = 0;    // the value is 0.<digits> x 10^exponent

  bool isZero() const { return digits.empty(); }
  // Digits before the decimal point ("" for values below 1) and the first `decimals` after it.
  std::string integerDigits() const;
  std::string fractionDigits(int decimals) const;
};

// The value to at most `significant` (1..15) significant digits.
DecimalDigits toDecimal(double value, int significant = 15);
// Rounds to `decimals` digits after the point (may be negative: tens, hundreds...).
void roundToDecimals(DecimalDigits& d, int decimals);
void roundToSignificant(DecimalDigits& d, int significant);

// "INF", "-INF" or "NAN" for the values without digits.
std::optional<std::string> nonFiniteText(double value);

}  // namespace qn
