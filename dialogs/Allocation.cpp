#include "dialogs/Allocation.h"

#include <cmath>

namespace allocation {

int64_t RoundedQuotient(__int128 numerator, __int128 denominator) {
  const bool negative = numerator < 0;
  const __int128 magnitude = negative ? -numerator : numerator;
  const __int128 rounded = (2 * magnitude + denominator) / (2 * denominator);
  return static_cast<int64_t>(negative ? -rounded : rounded);
}

int64_t ScaledValue(double value, int decimals) {
  // Half away from zero, as the field itself rounds what it stores.
  return std::llround(value * std::pow(10.0, decimals));
}

AnsiString ScaledText(int64_t scaled, int decimals) {
  const bool negative = scaled < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  AnsiString digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
  if (decimals > 0) digits.insert(digits.size() - decimals, ".");
  return negative ? "-" + digits : digits;
}

std::vector<int64_t> CumulativeShares(int64_t amount, const std::vector<int64_t>& percents, int64_t step) {
  std::vector<int64_t> shares;
  shares.reserve(percents.size());
  __int128 cumulative = 0;
  int64_t roundedBefore = 0;
  for (int64_t percent : percents) {
    cumulative += percent;
    const int64_t rounded = RoundedQuotient(static_cast<__int128>(amount) * cumulative, WholeSplit * step) * step;
    shares.push_back(rounded - roundedBefore);
    roundedBefore = rounded;
  }
  return shares;
}

std::vector<int64_t> EqualSplit(int n) {
  const int64_t share = RoundedQuotient(WholeSplit, n);
  std::vector<int64_t> split(n, share);
  split.back() = WholeSplit - (n - 1) * share;
  return split;
}

int64_t AmountForHours(int64_t hundredths, const HourlyRate& rate) {
  if (rate.hundredths == 0) return 0;
  const bool negativeRate = rate.hundredths < 0;
  return RoundedQuotient(static_cast<__int128>(hundredths) * (negativeRate ? -rate.cents : rate.cents),
                         negativeRate ? -static_cast<__int128>(rate.hundredths) : rate.hundredths);
}

}  // namespace allocation
