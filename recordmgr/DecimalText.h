#pragma once
// Decimal numbers as the stored text forms spell them, independent of any locale: reading a run
// of digits with an optional point, and the digits of a value rounded to a number of places.
#include <optional>
#include <string>
#include <string_view>

// Leading blanks, digits with at most one '.', nothing else; nothing when the text is not such a
// number.
std::optional<double> ParseDecimalText(std::string_view text);

// The digits of a value rounded to decimals places (half away from zero on its 15 significant
// digits) with the point removed and no leading zeros ("" for a value that rounds to zero); and
// whether it is negative, which a value rounding to zero never is. Nothing for infinities and NaN.
struct FixedDigits {
  bool negative = false;
  std::string digits;
};
std::optional<FixedDigits> ToFixedDigits(double value, int decimals);

// The digits with a point before the last `decimals` of them (zeros added in front where fewer).
std::string InsertDecimalPoint(std::string digits, int decimals);
