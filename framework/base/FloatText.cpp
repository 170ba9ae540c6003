#include "framework/base/FloatText.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "framework/base/CNotation.h"
#include "framework/base/DecimalDigits.h"
#include "framework/base/Exception.h"
#include "framework/base/Locale.h"

namespace {

// Groups integer digits by three ("1234567" -> "1,234,567").
AnsiString groupThousands(const std::string& integerDigits, char separator) {
  AnsiString out;
  for (size_t i = 0; i < integerDigits.size(); ++i) {
    out += integerDigits[i];
    size_t remaining = integerDigits.size() - 1 - i;
    if (remaining > 0 && remaining % 3 == 0) out += separator;
  }
  return out;
}

// Places a formatted amount (without sign) in the locale's currency format for its sign.
AnsiString currencyText(const AnsiString& amount, bool negative) {
  const LocaleSettings& locale = Locale();
  const AnsiString& c = locale.CurrencyString;
  if (!negative) {
    switch (locale.CurrencyFormat) {
      case 1: return amount + c;
      case 2: return c + " " + amount;
      case 3: return amount + " " + c;
      default: return c + amount;
    }
  }
  switch (locale.NegCurrFormat) {
    case 1: return "-" + c + amount;
    case 2: return c + "-" + amount;
    case 3: return c + amount + "-";
    case 4: return "(" + amount + c + ")";
    case 5: return "-" + amount + c;
    case 6: return amount + "-" + c;
    case 7: return amount + c + "-";
    case 8: return "-" + amount + " " + c;
    case 9: return "-" + c + " " + amount;
    case 10: return amount + " " + c + "-";
    case 11: return c + " " + amount + "-";
    case 12: return c + " -" + amount;
    case 13: return amount + "- " + c;
    case 14: return "(" + c + " " + amount + ")";
    case 15: return "(" + amount + " " + c + ")";
    default: return "(" + c + amount + ")";
  }
}

AnsiString exponentText(int exponent, int minDigits, bool alwaysSigned) {
  AnsiString digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  if (exponent < 0) return "-" + digits;
  return alwaysSigned ? "+" + digits : digits;
}

// Mantissa digits with the point after the first, and the exponent of that layout.
AnsiString scientific(const qn::DecimalDigits& d, int mantissaDigits, bool trimZeros,
                      int exponentDigits, bool alwaysSigned) {
  std::string digits = d.isZero() ? "0" : d.digits;
  digits.resize(std::max<size_t>(mantissaDigits, 1), '0');
  if (trimZeros) {
    size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 1 : last + 1);
  }
  AnsiString out(1, digits[0]);
  if (digits.size() > 1) out += Locale().DecimalSeparator + digits.substr(1);
  int exponent = d.isZero() ? 0 : d.exponent - 1;
  return out + "E" + exponentText(exponent, exponentDigits, alwaysSigned);
}

AnsiString fixed(const qn::DecimalDigits& d, int decimals, bool grouped) {
  std::string integer = d.integerDigits();
  if (integer.empty()) integer = "0";
  AnsiString out = grouped ? groupThousands(integer, Locale().ThousandSeparator) : integer;
  if (decimals > 0) out += Locale().DecimalSeparator + d.fractionDigits(decimals);
  return out;
}

}  // namespace

AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  if (auto text = qn::nonFiniteText(value)) return *text;
  precision = std::clamp(precision, 1, 15);
  qn::DecimalDigits d = qn::toDecimal(value);
  qn::roundToSignificant(d, precision);
  const bool fixedKind = format == ffFixed || format == ffNumber || format == ffCurrency;
  if (fixedKind && d.exponent > precision) {
    format = ffGeneral;
    digits = 0;
  }

  AnsiString body;
  switch (format) {
    case ffGeneral:
      if (d.exponent > precision || (!d.isZero() && d.exponent < -4)) {
        body = scientific(d, precision, true, digits, false);
      } else {
        int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
        body = fixed(d, decimals, false);
      }
      break;
    case ffExponent:
      body = scientific(d, precision, false, digits, true);
      break;
    case ffFixed:
    case ffNumber:
    case ffCurrency:
      digits = std::clamp(digits, 0, 18);
      qn::roundToDecimals(d, digits);
      body = fixed(d, digits, format != ffFixed);
      break;
  }
  // A value that rounds to zero shows no sign.
  const bool negative = d.negative && !d.isZero();
  if (format == ffCurrency) return currencyText(body, negative);
  return negative ? "-" + body : body;
}

AnsiString FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

bool TryStrToFloat(const AnsiString& s, double& value) {
  const char decimal = Locale().DecimalSeparator;
  std::string plain;  // the number in the C notation
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < s.size() && s[i] == ' ') ++i;
  };
  auto digitsAt = [&] {
    size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') plain += s[i++];
    return i - start;
  };
  skipBlanks();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
  size_t mantissa = digitsAt();
  if (i < s.size() && s[i] == decimal) {
    plain += '.';
    ++i;
    mantissa += digitsAt();
  }
  if (mantissa == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    plain += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
    if (digitsAt() == 0) return false;
  }
  skipBlanks();
  if (i != s.size()) return false;
  errno = 0;
  double v = qn::ParseCNotation(plain.c_str());
  if (errno == ERANGE && std::isinf(v)) return false;
  value = v;
  return true;
}

double StrToFloat(const AnsiString& s) {
  double value;
  if (!TryStrToFloat(s, value)) throw EConvertError("'" + s + "' is not a valid floating point value");
  return value;
}

double StrToFloatDef(const AnsiString& s, double defaultValue) {
  double value;
  return TryStrToFloat(s, value) ? value : defaultValue;
}
