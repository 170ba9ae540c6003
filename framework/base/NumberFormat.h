#pragma once
// FormatFloat: a number through a mask, under the locale's separators.
//   0      a digit, shown even when it is a leading or trailing zero
//   #      a digit, left out when it is a leading or trailing zero
//   .      the decimal separator (the first one; the count of 0 and # after it is the number of
//          decimals, to which the value is rounded half away from zero)
//   ,      thousands separators between the groups of integer digits
//   E+ E- e+ e-  scientific notation; the 0s after it give the exponent's minimum digits, E+
//          shows the exponent's sign always, E- only when negative
//   "x" 'x' text as it stands; every other character stands for itself
//   ;      separates sections: positive;negative;zero. The negative section shows the value
//          without its minus sign; an absent or empty section falls back to the first (with a
//          minus sign for negative values). A value that rounds to zero uses the zero section
//          when there is one and never shows a minus sign.
// Integer digits beyond the mask's placeholders are all shown. An empty mask gives FloatToStr.
//   FormatFloat("###,##0.00", 1234.5) == "1,234.50"   FormatFloat("#0.00;(#0.00)", -2) == "(2.00)"
#include "framework/base/AnsiString.h"

AnsiString FormatFloat(const AnsiString& format, double value);
