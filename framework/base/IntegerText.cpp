#include "framework/base/IntegerText.h"

#include <limits>

#include "framework/base/Exception.h"

AnsiString IntToStr(int64_t value) { return std::to_string(value); }

namespace {

AnsiString hexOf(uint64_t value, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  AnsiString out;
  do {
    out.insert(out.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(out.size()) < digits) out.insert(0, digits - out.size(), '0');
  return out;
}

// Reads s as a signed decimal, or as a hex bit pattern of `bits` bits whose top bit is the sign;
// a minus negates either. value is set only when the result lies in the type's range [min, max].
bool parse(const AnsiString& s, int64_t min, int64_t max, int bits, int64_t& value) {
  size_t i = s.find_first_not_of(' ');
  if (i == AnsiString::npos) return false;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  const uint64_t base = hex ? 16 : 10;
  const uint64_t limit = hex ? (bits == 64 ? ~0ULL : (1ULL << bits) - 1)
                             : static_cast<uint64_t>(max) + (negative ? 1 : 0);
  uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    int digit;
    char c = s[i];
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  int64_t v;
  if (hex) {
    v = bits == 64 ? static_cast<int64_t>(magnitude)
                   : static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    // The lowest value of a width has no negation in that width: the lowest 64-bit one none at
    // all, a narrower one fails the range test below.
    if (negative && v == std::numeric_limits<int64_t>::min()) return false;
    if (negative) v = -v;
  } else {
    v = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }
  if (v < min || v > max) return false;
  value = v;
  return true;
}

[[noreturn]] void notAnInteger(const AnsiString& s) {
  throw EConvertError("'" + s + "' is not a valid integer value");
}

}  // namespace

AnsiString IntToHex(int value, int digits) { return hexOf(static_cast<uint32_t>(value), digits); }
AnsiString IntToHex(int64_t value, int digits) { return hexOf(static_cast<uint64_t>(value), digits); }

bool TryStrToInt64(const AnsiString& s, int64_t& value) {
  return parse(s, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), 64, value);
}

bool TryStrToInt(const AnsiString& s, int& value) {
  int64_t v;
  if (!parse(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 32, v)) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const AnsiString& s) {
  int value;
  if (!TryStrToInt(s, value)) notAnInteger(s);
  return value;
}

int64_t StrToInt64(const AnsiString& s) {
  int64_t value;
  if (!TryStrToInt64(s, value)) notAnInteger(s);
  return value;
}

int StrToIntDef(const AnsiString& s, int defaultValue) {
  int value;
  return TryStrToInt(s, value) ? value : defaultValue;
}

int64_t StrToInt64Def(const AnsiString& s, int64_t defaultValue) {
  int64_t value;
  return TryStrToInt64(s, value) ? value : defaultValue;
}
