#pragma once
// Floating-point numbers to text and back, under the locale's decimal and thousands separators.
// Digits come from DecimalDigits: 15 significant digits, rounded half away from zero.
#include "framework/base/AnsiString.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ffGeneral: the shortest text of `precision` significant digits, in fixed notation unless the
//   value has more than `precision` integer digits or is below 0.00001; the exponent then has
//   at least `digits` digits and no '+' ("1E20", "1.5E-7").
// ffExponent: `precision` significant digits as "d.dddE+xx", the exponent of at least `digits`
//   digits, always signed.
// ffFixed: `digits` decimals after rounding to `precision` significant digits
//   (FloatToStrF(12345.6789, ffFixed, 7, 4) is "12345.6800"); ffNumber: the same with thousands
//   separators; ffCurrency: with the locale's currency string and formats. These three fall back
//   to the ffGeneral form when the value has more than `precision` integer digits.
// A value that rounds to zero shows no minus sign in any format.
AnsiString FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// ffGeneral with 15 digits: 0.1 + 0.2 gives "0.3", 1e20 gives "1E20".
AnsiString FloatToStr(double value);

// Reads blanks, a sign, digits with at most one decimal separator, an optional exponent
// (E, e, a sign and digits), and blanks; nothing else (no thousands separators).
// StrToFloat raises EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const AnsiString& s);
double StrToFloatDef(const AnsiString& s, double defaultValue);
bool TryStrToFloat(const AnsiString& s, double& value);
