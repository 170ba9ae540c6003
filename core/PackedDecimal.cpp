#include "core/PackedDecimal.h"

#include <algorithm>
#include <cmath>

#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/NumberFormat.h"
#include "framework/base/PackedDecimalBytes.h"
#include "framework/base/Rounding.h"

namespace {

constexpr int kPositive = 0xF;
constexpr int kNegative = 0xD;
constexpr int kMaxSize = 6;

void checkShape(int size, int decimals) {
  if (size < 1 || size > kMaxSize || decimals < 0 || decimals > 2 * size - 1)
    throw EInvalidOperation("Packed field of " + IntToStr(size) + " bytes with " + IntToStr(decimals) +
                            " decimals");
}

// The digits are formatted with the mask's '.' whatever the user's locale says.
class PointAsDecimalSeparator {
 public:
  PointAsDecimalSeparator() : saved_(Locale().DecimalSeparator) { Locale().DecimalSeparator = '.'; }
  ~PointAsDecimalSeparator() { Locale().DecimalSeparator = saved_; }
  PointAsDecimalSeparator(const PointAsDecimalSeparator&) = delete;
  PointAsDecimalSeparator& operator=(const PointAsDecimalSeparator&) = delete;

 private:
  char saved_;
};

[[noreturn]] void refuse() { throw EAbort("Value exceeds allowable range."); }

}  // namespace

std::optional<double> PackedToNumber(const AnsiString& Bytes, int Decimals) {
  if (Bytes.empty()) return 0.0;
  return qn::readPackedDecimal(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size(), Decimals);
}

double PackedToFloat(const AnsiString& Bytes, int Decimals) { return PackedToNumber(Bytes, Decimals).value_or(0.0); }

int64_t PackedToInteger(const AnsiString& Bytes, int Decimals) {
  return Round(PackedToFloat(Bytes, Decimals) * std::pow(10.0, Decimals));
}

AnsiString FloatToPacked(double Value, int Size, int Decimals) {
  checkShape(Size, Decimals);
  const int digitCount = 2 * Size - 1;
  const double largest = std::pow(10.0, digitCount - Decimals) - std::pow(10.0, -Decimals);
  if (!std::isfinite(Value) || std::fabs(Value) - largest > 0.004) refuse();

  AnsiString mask(digitCount, '0');
  if (Decimals > 0) mask.insert(mask.size() - Decimals, ".");
  AnsiString formatted;
  {
    PointAsDecimalSeparator point;
    formatted = FormatFloat(mask, std::fabs(Value));
  }
  AnsiString digits;
  for (char c : formatted)
    if (c >= '0' && c <= '9') digits += c;
  if (static_cast<int>(digits.size()) > digitCount) refuse();
  digits.insert(0, digitCount - digits.size(), '0');
  // The sign follows the rounded digits: a value that rounds to zero is stored as plain zero.
  const bool negative = Value < 0 && digits.find_first_not_of('0') != AnsiString::npos;

  AnsiString bytes(Size, '\0');
  for (int i = 0; i < Size; ++i) {
    const int high = digits[2 * i] - '0';
    const int low = i + 1 < Size ? digits[2 * i + 1] - '0' : (negative ? kNegative : kPositive);
    bytes[i] = static_cast<char>(high << 4 | low);
  }
  return bytes;
}

AnsiString IntegerToPacked(int64_t Scaled, int Size, int Decimals) {
  checkShape(Size, Decimals);
  const int digitCount = 2 * Size - 1;
  // Magnitudes are taken unsigned so the most negative whole number is refused, not overflowed.
  const uint64_t magnitude = Scaled < 0 ? 0 - static_cast<uint64_t>(Scaled) : static_cast<uint64_t>(Scaled);
  uint64_t limit = 1;
  for (int i = 0; i < digitCount; ++i) limit *= 10;
  if (magnitude >= limit) refuse();
  const bool negative = Scaled < 0;

  AnsiString bytes(Size, '\0');
  uint64_t rest = magnitude;
  // From the last byte back: its high nibble is the last digit, its low nibble the sign.
  for (int i = Size - 1; i >= 0; --i) {
    int low;
    if (i == Size - 1) {
      low = negative ? kNegative : kPositive;
    } else {
      low = static_cast<int>(rest % 10);
      rest /= 10;
    }
    const int high = static_cast<int>(rest % 10);
    rest /= 10;
    bytes[i] = static_cast<char>(high << 4 | low);
  }
  return bytes;
}

AnsiString PackedDisplayMask(int Size, int Decimals) {
  AnsiString mask(std::max(0, 2 * Size - Decimals - 2), '#');
  mask += '0';
  if (Decimals > 0) mask += "." + AnsiString(Decimals, '0');
  return mask;
}
