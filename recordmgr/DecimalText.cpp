#include "recordmgr/DecimalText.h"

#include <charconv>
#include <cmath>

#include "framework/base/DecimalDigits.h"

std::optional<double> ParseDecimalText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  bool point = false, digit = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<FixedDigits> ToFixedDigits(double value, int decimals) {
  if (!std::isfinite(value)) return std::nullopt;
  qn::DecimalDigits d = qn::toDecimal(value);
  qn::roundToDecimals(d, decimals);
  FixedDigits out;
  out.digits = d.integerDigits() + d.fractionDigits(decimals);
  const size_t first = out.digits.find_first_not_of('0');
  out.digits.erase(0, first == std::string::npos ? out.digits.size() : first);
  out.negative = d.negative && !out.digits.empty();
  return out;
}

std::string InsertDecimalPoint(std::string digits, int decimals) {
  if (decimals <= 0) return digits;
  if (static_cast<int>(digits.size()) < decimals) digits.insert(0, decimals - digits.size(), '0');
  digits.insert(digits.size() - decimals, 1, '.');
  return digits;
}
