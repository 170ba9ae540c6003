// The record-file decimals of the application core and the field converters' decimal type read
// and write the same bytes for the same values, zero included.
#include <gtest/gtest.h>

#include <cmath>

#include "core/PackedDecimal.h"
#include "recordmgr/tests/PackedDecimalCases.h"
#include "testing/HexText.h"

namespace {

using qn::testing::hexText;

TEST(PackedDecimalAgreementTest, TheSharedTableReadsAndWritesAlike) {
  for (const packedcases::PackedCase& c : packedcases::agreedCases()) {
    SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.size) + " bytes");
    EXPECT_EQ(hexText(FloatToPacked(c.value, c.size, c.decimals)), hexText(c.bytes));
    EXPECT_EQ(PackedToFloat(c.bytes, c.decimals), c.value);
  }
}

TEST(PackedDecimalAgreementTest, ZeroHasNoSign) {
  for (const packedcases::PackedCase& c : packedcases::zeroCases()) {
    SCOPED_TRACE(std::to_string(c.value));
    EXPECT_EQ(hexText(FloatToPacked(c.value, c.size, c.decimals)), hexText(c.bytes));
  }
  const double negativeZero = PackedToFloat(packedcases::kNegativeZero, 0);
  EXPECT_EQ(negativeZero, 0.0);
  EXPECT_FALSE(std::signbit(negativeZero));
}

}  // namespace
