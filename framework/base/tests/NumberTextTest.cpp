#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/base/Exception.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Rounding.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

TEST(NumberTextTest, IntegersToText) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x1234, 1), "1234");  // never cut
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t{-1}, 0), "FFFFFFFFFFFFFFFF");
}

TEST(NumberTextTest, TextToIntegers) {
  struct Case {
    AnsiString text;
    bool valid;
    int value;
  } cases[] = {
      {"42", true, 42},           {"  -17", true, -17},      {"+5", true, 5},
      {"$FF", true, 255},         {"0x1f", true, 31},        {"$FFFFFFFF", true, -1},
      {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},   {"$100000000", false, 0},  {"12 ", false, 0},
      {"1,000", false, 0},        {"", false, 0},            {"-", false, 0},
      {"$", false, 0},            {"1.5", false, 0},         {"abc", false, 0},
  };
  for (const Case& c : cases) {
    int v = -999;
    EXPECT_EQ(TryStrToInt(c.text, v), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(v, c.value) << c.text;
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(v, -999) << "left alone: " << c.text;
      EXPECT_EQ(StrToIntDef(c.text, 7), 7) << c.text;
    }
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 3), 3);
  try {
    StrToInt("12a");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
}

// Hex texts are bit patterns of the type's width; a minus negates what they denote, and a
// result outside the type is refused rather than wrapped.
TEST(NumberTextTest, IntegerTextsAtTheLimitsOfEachWidth) {
  struct Case {
    AnsiString text;
    int bits;
    bool valid;
    int64_t value;
  } cases[] = {
      {"2147483647", 32, true, INT32_MAX},       {"2147483648", 32, false, 0},
      {"-2147483648", 32, true, INT32_MIN},      {"-2147483649", 32, false, 0},
      {"$7FFFFFFF", 32, true, INT32_MAX},        {"$80000000", 32, true, INT32_MIN},
      {"$FFFFFFFF", 32, true, -1},               {"$100000000", 32, false, 0},
      {"-$7FFFFFFF", 32, true, -INT32_MAX},      {"-$80000000", 32, false, 0},
      {"-0x80000000", 32, false, 0},             {"-$FFFFFFFF", 32, true, 1},
      {"-$100000000", 32, false, 0},             {"-$1", 32, true, -1},
      {"9223372036854775807", 64, true, INT64_MAX},
      {"9223372036854775808", 64, false, 0},
      {"-9223372036854775808", 64, true, INT64_MIN},
      {"-9223372036854775809", 64, false, 0},
      {"$7FFFFFFFFFFFFFFF", 64, true, INT64_MAX},
      {"$8000000000000000", 64, true, INT64_MIN},
      {"$FFFFFFFFFFFFFFFF", 64, true, -1},
      {"$10000000000000000", 64, false, 0},
      {"-$7FFFFFFFFFFFFFFF", 64, true, -INT64_MAX},
      {"-$8000000000000000", 64, false, 0},
      {"-0x8000000000000000", 64, false, 0},
      {"-$FFFFFFFFFFFFFFFF", 64, true, 1},
      {"-$10000000000000000", 64, false, 0},
      {"$80000000", 64, true, 0x80000000LL},
      {"-$80000000", 64, true, -0x80000000LL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " as " + std::to_string(c.bits) + " bits");
    if (c.bits == 32) {
      int v = 7;
      EXPECT_EQ(TryStrToInt(c.text, v), c.valid);
      EXPECT_EQ(v, c.valid ? c.value : 7);
    } else {
      int64_t v = 7;
      EXPECT_EQ(TryStrToInt64(c.text, v), c.valid);
      EXPECT_EQ(v, c.valid ? c.value : 7);
    }
    if (c.valid) continue;
    try {
      c.bits == 32 ? StrToInt(c.text) : StrToInt64(c.text);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + c.text + "' is not a valid integer value");
    }
  }
}

TEST(NumberTextTest, FloatsToTextUseFifteenDigitsAndRoundHalfAway) {
  struct Case {
    double value;
    TFloatFormat format;
    int precision, digits;
    AnsiString expected;
  } cases[] = {
      {0.1 + 0.2, ffGeneral, 15, 0, "0.3"},
      {1.0 / 3, ffGeneral, 15, 0, "0.333333333333333"},
      {1e20, ffGeneral, 15, 0, "1E20"},
      {-1.5e-7, ffGeneral, 15, 0, "-1.5E-7"},
      {0.00001, ffGeneral, 15, 0, "0.00001"},
      {123456789012345678.0, ffGeneral, 15, 0, "1.23456789012346E17"},
      {1200, ffGeneral, 15, 0, "1200"},
      {0, ffGeneral, 15, 0, "0"},
      {2.675, ffFixed, 15, 2, "2.68"},   // 2.67499999... in binary, 2.675 to a reader
      {0.125, ffFixed, 15, 2, "0.13"},
      {-0.125, ffFixed, 15, 2, "-0.13"},
      {-0.001, ffFixed, 15, 2, "0.00"},  // no "-0.00"
      {9.995, ffFixed, 15, 2, "10.00"},
      {12345.6789, ffFixed, 7, 4, "12345.6800"},  // 7 significant digits first
      {123.456789, ffFixed, 7, 4, "123.4568"},
      {12345678.9, ffFixed, 7, 4, "1.234568E7"},    // too many integer digits
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-1234.5, ffNumber, 15, 0, "-1,235"},
      {1500, ffExponent, 4, 2, "1.500E+03"},
      {0.00015, ffExponent, 2, 3, "1.5E-004"},
      {1e20, ffFixed, 15, 2, "1E20"},
      {1234.5, ffCurrency, 15, 2, "$1,234.50"},
      {-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected) << c.value;
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
}

TEST(NumberTextTest, FloatTextFollowsTheLocale) {
  ScopedLocale locale;
  Locale().DecimalSeparator = ',';
  Locale().ThousandSeparator = '.';
  Locale().CurrencyString = "EUR";
  Locale().CurrencyFormat = 3;
  Locale().NegCurrFormat = 8;
  EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 2), "1.234,50");
  EXPECT_EQ(FloatToStrF(1234.5, ffCurrency, 15, 2), "1.234,50 EUR");
  EXPECT_EQ(FloatToStrF(-2, ffCurrency, 15, 2), "-2,00 EUR");
  EXPECT_EQ(StrToFloat("3,25"), 3.25);
  double v;
  EXPECT_FALSE(TryStrToFloat("3.25", v));
}

TEST(NumberTextTest, TextToFloats) {
  struct Case {
    AnsiString text;
    bool valid;
    double value;
  } cases[] = {
      {"3.25", true, 3.25}, {"  -0.5  ", true, -0.5}, {".5", true, 0.5},   {"5.", true, 5},
      {"1e3", true, 1000},  {"1.5E-2", true, 0.015},  {"+7", true, 7},     {"", false, 0},
      {".", false, 0},      {"1,000", false, 0},      {"1e", false, 0},    {"12abc", false, 0},
      {"1e999", false, 0},  {"- 1", false, 0},
  };
  for (const Case& c : cases) {
    double v = -999;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.valid) << c.text;
    if (c.valid) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
  EXPECT_EQ(StrToFloatDef("x", 1.5), 1.5);
  EXPECT_THROW(StrToFloat("x"), EConvertError);
}

TEST(NumberTextTest, RoundIsBankersAndTruncGoesTowardZero) {
  struct Case {
    double value;
    int64_t round, trunc;
  } cases[] = {
      {2.5, 2, 2},   {3.5, 4, 3},    {-2.5, -2, -2}, {-3.5, -4, -3}, {2.4999, 2, 2},
      {2.51, 3, 2},  {-2.7, -3, -2}, {0.5, 0, 0},    {1.5, 2, 1},    {-0.5, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Round(c.value), c.round) << c.value;
    EXPECT_EQ(Trunc(c.value), c.trunc) << c.value;
  }
  EXPECT_THROW(Round(1e19), EConvertError);
  EXPECT_THROW(Trunc(std::nan("")), EConvertError);
}

}  // namespace
