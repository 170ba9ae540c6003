#include "core/PackedDecimal.h"

#include <algorithm>
#include <cmath>

#include "framework/base/Exception.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/NumberFormat.h"
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

double PackedToFloat(const AnsiString& Bytes, int Decimals) {
  if (Bytes.empty()) return 0;
  // Nibble by nibble as the digits' text, so a damaged nibble (10..15) reads as its two digits
  // rather than failing the whole record.
  AnsiString digits;
  for (size_t i = 0; i < Bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(Bytes[i]);
    digits += IntToStr(byte >> 4);
    if (i + 1 < Bytes.size()) digits += IntToStr(byte & 0xF);
  }
  const bool negative = (static_cast<unsigned char>(Bytes.back()) & 0xF) != kPositive;
  const double value = StrToFloat(digits) / std::pow(10.0, Decimals);
  // Zero digits under a negative sign read as plain zero, which shows without a minus.
  return negative && value != 0 ? -value : value;
}

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

AnsiString PackedDisplayMask(int Size, int Decimals) {
  AnsiString mask(std::max(0, 2 * Size - Decimals - 2), '#');
  mask += '0';
  if (Decimals > 0) mask += "." + AnsiString(Decimals, '0');
  return mask;
}
