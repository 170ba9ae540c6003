#include <gtest/gtest.h>

#include "framework/base/NumberFormat.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

struct Case {
  AnsiString mask;
  double value;
  AnsiString expected;
};

TEST(NumberFormatTest, Masks) {
  const Case cases[] = {
      {"#0.00", 3.14159, "3.14"},
      {"#0.00", 0, "0.00"},
      {"#0.00", 2.675, "2.68"},          // half away from zero on the digits a reader sees
      {"#0.00", 2.665, "2.67"},
      {"#0.00", 0.005, "0.01"},
      {"#0.00", -0.005, "-0.01"},
      {"#0", 2.5, "3"},                  // masks round half away, unlike Round
      {"#0", 3.5, "4"},
      {"#0", -2.5, "-3"},
      {"###,##0.00", 1234.5, "1,234.50"},
      {"###,##0.00", 1234567.891, "1,234,567.89"},  // more digits than places: all shown
      {"###,##0.00", 12, "12.00"},
      {"###,##0.00", -1234.5, "-1,234.50"},
      {"#,##0", 999.5, "1,000"},
      {"#", 0, ""},
      {"#.##", 1, "1"},
      {"0.##", 1.5, "1.5"},
      {"0.0#", 1, "1.0"},
      {"0.0#", 1.25, "1.25"},
      {"000", 7, "007"},
      {"00.000", 1.5, "01.500"},
      {"########0", 6.0, "6"},           // a packed field's mask of n = 6, d = 0
      {"#######0.00", 12345.678, "12345.68"},
      {"$#,##0.00", -5, "-$5.00"},
      {"\"Total: \"#0", 5, "Total: 5"},
      {"'#'0", 5, "#5"},                 // quoted placeholders are text
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E-00", 12345, "1.23E04"},
      {"0.0e+0", 9.99, "1.0e+1"},        // rounding carries into the exponent
      {"0.00E+00", 0, "0.00E+00"},
      {"##0.0E+0", 12345, "123.5E+2"},
      {"", 1.5, "1.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.mask, c.value), c.expected) << c.mask << " " << c.value;
}

TEST(NumberFormatTest, Sections) {
  const Case cases[] = {
      {"#0.00;(#0.00)", 2, "2.00"},
      {"#0.00;(#0.00)", -2, "(2.00)"},
      {"#0.00;(#0.00);'zero'", 0, "zero"},
      {"#0.00;(#0.00);'zero'", 0.001, "zero"},    // rounds to zero: the zero section
      {"#0.00;(#0.00);'zero'", -0.001, "zero"},
      {"#0.00;(#0.00)", -0.001, "(0.00)"},       // no zero section: the negative one stays
      {"#0.00", -0.001, "0.00"},                 // never "-0.00"
      {"#0.00;;'nil'", -3, "-3.00"},             // an empty negative section: the first, signed
      {"#0.00;;'nil'", 0, "nil"},
      {"#0.00;(#0.00);", 0, "0.00"},             // an empty zero section: the first
      {"'a;b'0;'neg'", -1, "neg"},               // a quoted ';' does not split
      {"'a;b'0;'neg'", 1, "a;b1"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.mask, c.value), c.expected) << c.mask << " " << c.value;
}

TEST(NumberFormatTest, SeparatorsComeFromTheLocale) {
  ScopedLocale locale;
  Locale().DecimalSeparator = ',';
  Locale().ThousandSeparator = '.';
  EXPECT_EQ(FormatFloat("###,##0.00", 1234567.5), "1.234.567,50");
}

}  // namespace
