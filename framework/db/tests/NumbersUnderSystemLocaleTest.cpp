// Decimal values and texts held in variants keep their value whatever locale the process runs
// under (a Qt program takes the system's at start).
#include <gtest/gtest.h>

#include "framework/db/Bcd.h"
#include "framework/db/Variant.h"
#include "testing/CommaDecimalLocale.h"

namespace {

using NumbersUnderCommaLocale = qn::testing::CommaDecimalLocaleTest;

TEST_F(NumbersUnderCommaLocale, DecimalsAndTextsKeepTheirValue) {
  EXPECT_DOUBLE_EQ(BcdToDouble(DoubleToBcd(12.34, 10, 2)), 12.34);
  EXPECT_DOUBLE_EQ(BcdToDouble(DoubleToBcd(-0.5, 4, 1)), -0.5);
  EXPECT_DOUBLE_EQ(Variant("12.34").AsFloat(), 12.34);
}

}  // namespace
