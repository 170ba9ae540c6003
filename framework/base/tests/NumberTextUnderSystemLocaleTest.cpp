// A Qt program takes the system's locale for the C library when it starts; number texts follow
// the program's own locale settings all the same, never the C library's.
#include <gtest/gtest.h>

#include "framework/base/FloatText.h"
#include "framework/base/NumberFormat.h"
#include "testing/CommaDecimalLocale.h"

namespace qn {
namespace {

using NumberTextUnderCommaLocale = testing::CommaDecimalLocaleTest;

TEST_F(NumberTextUnderCommaLocale, NumbersReadAndShowInTheProgramsNotation) {
  double value = 0;
  ASSERT_TRUE(TryStrToFloat("12.34", value));
  EXPECT_DOUBLE_EQ(value, 12.34);
  ASSERT_TRUE(TryStrToFloat("-1.5E3", value));
  EXPECT_DOUBLE_EQ(value, -1500);
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(1234.5678), "1234.5678");
  EXPECT_EQ(FormatFloat("###,##0.00", 1234.5), "1,234.50");
  EXPECT_EQ(FormatFloat("0.000E+00", 0.00123), "1.230E-03");
}

}  // namespace
}  // namespace qn
