#include "framework/base/PackedDecimalBytes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PackedDecimalBytesTest, OnlyTheSignsDAndBAreNegative) {
  for (uint8_t sign = 0; sign < 16; ++sign) {
    SCOPED_TRACE(int(sign));
    const bool negative = sign == 0xD || sign == 0xB;
    EXPECT_EQ(qn::packedSignNegative(static_cast<uint8_t>(0x40 | sign)), negative);
    const uint8_t bytes[] = {0x01, 0x23, static_cast<uint8_t>(0x40 | sign)};
    EXPECT_EQ(qn::readPackedDecimal(bytes, 3, 0), negative ? -1234.0 : 1234.0);
  }
}

TEST(PackedDecimalBytesTest, ADigitAboveNineIsDamageInEveryPlace) {
  for (size_t place = 0; place < 5; ++place) {
    for (uint8_t digit = 0xA; digit <= 0xF; ++digit) {
      uint8_t bytes[] = {0x00, 0x00, 0x0F};
      bytes[place / 2] |= place % 2 == 0 ? digit << 4 : digit;
      SCOPED_TRACE(std::to_string(place) + " " + std::to_string(digit));
      EXPECT_EQ(qn::readPackedDecimal(bytes, 3, 0), std::nullopt);
    }
  }
  EXPECT_EQ(qn::readPackedDecimal(nullptr, 0, 0), std::nullopt);
}

TEST(PackedDecimalBytesTest, DecimalsReadAsTheirDecimalTextAndZeroHasNoSign) {
  const uint8_t amount[] = {0x00, 0x01, 0x23, 0x45, 0x6D};
  EXPECT_EQ(qn::readPackedDecimal(amount, 5, 2), -1234.56);
  const uint8_t cents[] = {0x00, 0x00, 0x01, 0x0F};
  EXPECT_EQ(qn::readPackedDecimal(cents, 4, 3), 0.01);
  const uint8_t negativeZero[] = {0x00, 0x0D};
  const std::optional<double> zero = qn::readPackedDecimal(negativeZero, 2, 1);
  ASSERT_TRUE(zero.has_value());
  EXPECT_EQ(*zero, 0.0);
  EXPECT_FALSE(std::signbit(*zero));
}

}  // namespace
