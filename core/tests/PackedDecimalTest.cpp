#include "core/PackedDecimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "framework/base/tests/ScopedSettings.h"
#include "testing/HexText.h"

namespace {

using qn::testing::hexText;

struct Packed {
  int size;
  int decimals;
  double value;
  AnsiString bytes;
};

const std::vector<Packed> kPacked = {
    {3, 0, 12345, "\x12\x34\x5F"},
    {3, 0, -12345, "\x12\x34\x5D"},
    {3, 0, 0, AnsiString("\x00\x00\x0F", 3)},
    {3, 0, 7, AnsiString("\x00\x00\x7F", 3)},
    {1, 0, 9, "\x9F"},
    {1, 0, -9, "\x9D"},
    {1, 1, 0.5, "\x5F"},
    {2, 3, 0.25, AnsiString("\x25\x0F", 2)},
    {4, 2, 12.5, AnsiString("\x00\x01\x25\x0F", 4)},
    {4, 2, -99999.99, "\x99\x99\x99\x9D"},
    {6, 2, 999999999.99, "\x99\x99\x99\x99\x99\x9F"},
    {6, 2, -1234.56, AnsiString("\x00\x00\x01\x23\x45\x6D", 6)},
    {6, 0, 98765432101.0, "\x98\x76\x54\x32\x10\x1F"},
};

TEST(PackedDecimalTest, ValuesBecomeTheirBytesAndBack) {
  for (const Packed& p : kPacked) {
    SCOPED_TRACE(std::to_string(p.value) + " in " + std::to_string(p.size) + " bytes, " +
                 std::to_string(p.decimals) + " decimals");
    EXPECT_EQ(hexText(FloatToPacked(p.value, p.size, p.decimals)), hexText(p.bytes));
    EXPECT_DOUBLE_EQ(PackedToFloat(p.bytes, p.decimals), p.value);
  }
}

TEST(PackedDecimalTest, WritingRoundsToTheDecimalsHalfAwayFromZero) {
  EXPECT_EQ(hexText(FloatToPacked(2.25, 3, 1)), hexText(AnsiString("\x00\x02\x3F", 3)));
  EXPECT_EQ(hexText(FloatToPacked(-2.25, 3, 1)), hexText(AnsiString("\x00\x02\x3D", 3)));
  EXPECT_EQ(hexText(FloatToPacked(0.004, 2, 2)), hexText(AnsiString("\x00\x0F", 2)));
}

TEST(PackedDecimalTest, OnlyTheSignsDAndBReadNegative) {
  EXPECT_EQ(PackedToFloat(AnsiString("\x00\x12\x3C", 3), 1), 12.3);
  EXPECT_EQ(PackedToFloat(AnsiString("\x00\x12\x3F", 3), 1), 12.3);
  EXPECT_EQ(PackedToFloat(AnsiString("\x00\x12\x3D", 3), 1), -12.3);
  EXPECT_EQ(PackedToFloat(AnsiString("\x00\x12\x3B", 3), 1), -12.3);
}

// A digit nibble above 9 is damage: nothing, not the nibbles' two-digit text.
TEST(PackedDecimalTest, DamagedDigitsReadAsNothingAndZero) {
  const AnsiString damaged("\x0A\xBC\xDF", 3);
  EXPECT_EQ(PackedToNumber(damaged, 0), std::nullopt);
  EXPECT_EQ(PackedToFloat(damaged, 0), 0);
  EXPECT_EQ(PackedToInteger(damaged, 2), 0);
  EXPECT_EQ(PackedToNumber(AnsiString("\x01\x23\x4F", 3), 0), 1234);
}

// A value that rounds to zero has no sign to keep: a negative zero would be shown as "-0.00".
TEST(PackedDecimalTest, ValuesThatRoundToZeroArePositiveZero) {
  struct NearZero {
    int size;
    int decimals;
    double value;
  };
  const std::vector<NearZero> cases = {
      {3, 0, -0.0},    {3, 0, -0.4},    {1, 0, -0.49},     {3, 1, -0.04},          {2, 2, -0.001},
      {2, 2, -0.0049}, {4, 2, -0.0049}, {6, 4, -0.00004}, {6, 11, -0.000000000004},
  };
  for (const NearZero& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.size) + " bytes, " +
                 std::to_string(c.decimals) + " decimals");
    const AnsiString bytes = FloatToPacked(c.value, c.size, c.decimals);
    EXPECT_EQ(hexText(bytes), hexText(FloatToPacked(0, c.size, c.decimals)));
    EXPECT_FALSE(std::signbit(PackedToFloat(bytes, c.decimals)));
  }
  // From half of the last decimal on the sign stays.
  EXPECT_EQ(hexText(FloatToPacked(-0.006, 2, 2)), hexText(AnsiString("\x00\x1D", 2)));
  EXPECT_EQ(hexText(FloatToPacked(-0.5, 1, 0)), hexText("\x1D"));
}

TEST(PackedDecimalTest, AStoredNegativeZeroReadsAsZero) {
  for (const AnsiString& bytes :
       {AnsiString("\x00\x00\x0D", 3), AnsiString("\x00\x00\x0C", 3), AnsiString("\x0D", 1)}) {
    for (int decimals : {0, 1}) {
      SCOPED_TRACE(hexText(bytes) + " with " + std::to_string(decimals) + " decimals");
      const double value = PackedToFloat(bytes, decimals);
      EXPECT_EQ(value, 0);
      EXPECT_FALSE(std::signbit(value));
      EXPECT_EQ(PackedToInteger(bytes, decimals), 0);
    }
  }
}

TEST(PackedDecimalTest, IntegersAreTheDigitsWithTheirSign) {
  EXPECT_EQ(PackedToInteger(AnsiString("\x00\x00\x01\x23\x45\x6D", 6), 2), -123456);
  EXPECT_EQ(PackedToInteger("\x12\x34\x5F", 0), 12345);
  EXPECT_EQ(PackedToInteger("\x99\x99\x99\x99\x99\x9F", 2), 99999999999);
}

TEST(PackedDecimalTest, IntegersRoundWhereTheFloatingProductFallsShort) {
  // Each of these values times its power of ten comes out a hair below the whole number.
  struct Case {
    AnsiString bytes;
    int decimals;
    int64_t integer;
  };
  const Case cases[] = {
      {"\x02\x9F", 2, 29},           {"\x05\x7F", 2, 57},          {"\x05\x8F", 2, 58},
      {"\x05\x7D", 2, -57},          {"\x02\x9D", 2, -29},         {"\x11\x5F", 2, 115},
      {"\x43\x5F", 2, 435},          {"\x43\x5D", 2, -435},        {AnsiString("\x01\x00\x5F", 3), 3, 1005},
      {AnsiString("\x01\x00\x5D", 3), 3, -1005},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(hexText(c.bytes));
    EXPECT_EQ(PackedToInteger(c.bytes, c.decimals), c.integer);
  }
}

struct Limit {
  int size;
  int decimals;
  double accepted;  // at the limit, by sign
  double refused;
};

TEST(PackedDecimalTest, ValuesBeyondTheFieldAreRefused) {
  const std::vector<Limit> limits = {
      {6, 2, 999999999.99, 1000000000.0},
      {6, 2, 999999999.994, 999999999.995},
      {3, 0, 99999.003, 99999.005},
      {1, 0, 9, 10},
      {4, 2, 99999.99, 100000},
      // After rounding these would need a digit more than the field holds.
      {2, 3, 0.9994, 0.9996},
      {3, 4, 9.9999, 9.99996},
      {6, 11, 0.99999999999, 0.999999999996},
  };
  for (const Limit& l : limits) {
    for (double sign : {1.0, -1.0}) {
      SCOPED_TRACE(std::to_string(sign * l.refused) + " in " + std::to_string(l.size) + " bytes, " +
                   std::to_string(l.decimals) + " decimals");
      EXPECT_NO_THROW(FloatToPacked(sign * l.accepted, l.size, l.decimals));
      try {
        FloatToPacked(sign * l.refused, l.size, l.decimals);
        ADD_FAILURE() << "accepted";
      } catch (const EAbort& e) {
        EXPECT_EQ(e.Message(), "Value exceeds allowable range.");
      }
    }
  }
  EXPECT_THROW(FloatToPacked(std::numeric_limits<double>::quiet_NaN(), 3, 0), EAbort);
  EXPECT_THROW(FloatToPacked(std::numeric_limits<double>::infinity(), 3, 0), EAbort);
}

TEST(PackedDecimalTest, TheDecimalSeparatorOfTheLocaleDoesNotMatterAndIsKept) {
  ScopedLocale locale;
  Locale().DecimalSeparator = ',';
  Locale().ThousandSeparator = '.';
  EXPECT_EQ(hexText(FloatToPacked(-1234.56, 6, 2)), hexText(AnsiString("\x00\x00\x01\x23\x45\x6D", 6)));
  EXPECT_EQ(Locale().DecimalSeparator, ',');
  EXPECT_THROW(FloatToPacked(1e12, 6, 2), EAbort);
  EXPECT_EQ(Locale().DecimalSeparator, ',') << "restored after a refusal too";
}

TEST(PackedDecimalTest, FieldShapesThatCannotBeWrittenAreErrors) {
  EXPECT_THROW(FloatToPacked(1, 0, 0), EInvalidOperation);
  EXPECT_THROW(FloatToPacked(1, 7, 0), EInvalidOperation);
  EXPECT_THROW(FloatToPacked(1, 3, 6), EInvalidOperation);
  EXPECT_THROW(FloatToPacked(1, 3, -1), EInvalidOperation);
}

// Whole numbers reach the same bytes as the values they scale, with no floating step between.
TEST(PackedDecimalTest, ScaledIntegersBecomeTheSameBytes) {
  for (const Packed& p : kPacked) {
    const int64_t scaled = std::llround(p.value * std::pow(10.0, p.decimals));
    SCOPED_TRACE(std::to_string(scaled) + " in " + std::to_string(p.size) + " bytes, " +
                 std::to_string(p.decimals) + " decimals");
    EXPECT_EQ(hexText(IntegerToPacked(scaled, p.size, p.decimals)), hexText(p.bytes));
    EXPECT_EQ(PackedToInteger(p.bytes, p.decimals), scaled);
  }
  // Percentages in ten-thousandths and cents that a double could not hold exactly.
  EXPECT_EQ(hexText(IntegerToPacked(333333, 4, 4)), hexText(AnsiString("\x03\x33\x33\x3F", 4)));
  EXPECT_EQ(hexText(IntegerToPacked(-1, 6, 2)), hexText(AnsiString("\x00\x00\x00\x00\x00\x1D", 6)));
  EXPECT_EQ(hexText(IntegerToPacked(0, 2, 1)), hexText(AnsiString("\x00\x0F", 2)));
}

TEST(PackedDecimalTest, ScaledIntegersBeyondTheFieldAreRefused) {
  struct Limit {
    int size, decimals;
    int64_t accepted, refused;
  };
  for (const Limit& l : std::vector<Limit>{{6, 2, 99999999999, 100000000000},
                                           {4, 4, 9999999, 10000000},
                                           {1, 0, 9, 10},
                                           {3, 1, 99999, 100000}}) {
    for (int64_t sign : {1, -1}) {
      SCOPED_TRACE(std::to_string(sign * l.refused));
      EXPECT_EQ(PackedToInteger(IntegerToPacked(sign * l.accepted, l.size, l.decimals), l.decimals),
                sign * l.accepted);
      try {
        IntegerToPacked(sign * l.refused, l.size, l.decimals);
        ADD_FAILURE() << "accepted";
      } catch (const EAbort& e) {
        EXPECT_EQ(e.Message(), "Value exceeds allowable range.");
      }
    }
  }
  EXPECT_THROW(IntegerToPacked(std::numeric_limits<int64_t>::min(), 6, 2), EAbort);
  EXPECT_THROW(IntegerToPacked(1, 7, 0), EInvalidOperation);
}

TEST(PackedDecimalTest, DisplayMasks) {
  struct Mask {
    int size, decimals;
    AnsiString mask;
  };
  for (const Mask& m : std::vector<Mask>{{6, 2, "########0.00"},
                                         {3, 0, "####0"},
                                         {4, 2, "####0.00"},
                                         {6, 0, "##########0"},
                                         {1, 0, "0"},
                                         {2, 3, "0.000"}})
    EXPECT_EQ(PackedDisplayMask(m.size, m.decimals), m.mask) << m.size << " bytes, " << m.decimals << " decimals";
}

}  // namespace
