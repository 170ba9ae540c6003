#include <gtest/gtest.h>

#include <ctime>
#include <limits>
#include <vector>

#include "framework/base/DateTime.h"
#include "framework/base/Exception.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

TEST(DateTimeTest, DaysCountFromThirtiethDecember1899) {
  struct Case {
    int year, month, day;
    double serial;
  } cases[] = {
      {1899, 12, 30, 0},  {1899, 12, 31, 1},  {1900, 1, 1, 2},     {1899, 12, 29, -1},
      {1900, 3, 1, 61},   {2000, 2, 29, 36585}, {2026, 12, 9, 46365}, {1, 1, 1, -693593},
      {9999, 12, 31, 2958465},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial) << c.year << "-" << c.month << "-" << c.day;
    int y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day) << c.serial;
  }
}

TEST(DateTimeTest, EveryDayOfFourHundredYearsRoundTrips) {
  TDateTime serial = EncodeDate(1900, 1, 1);
  for (int year = 1900; year < 2300; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= DaysInAMonth(year, month); ++day, ++serial) {
        ASSERT_EQ(EncodeDate(year, month, day), serial);
        int y, m, d;
        DecodeDate(serial, y, m, d);
        ASSERT_TRUE(y == year && m == month && d == day) << serial;
      }
}

TEST(DateTimeTest, InvalidPartsRaiseTheConversionError) {
  TDateTime v = 123;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(2023, 13, 1, v));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, v));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, v));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, v));
  EXPECT_EQ(v, 123);
  try {
    EncodeDate(2023, 2, 29);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), EConvertError);
}

TEST(DateTimeTest, TimesAndTheirRounding) {
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  int h, m, s, ms;
  DecodeTime(EncodeTime(13, 45, 30, 250), h, m, s, ms);
  EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{13, 45, 30, 250}));
  // A value a hair below midnight is midnight of the next day.
  TDateTime almost = 1 - 0.0000001 / MSecsPerDay * 1000;
  int y, mo, d;
  DecodeDate(almost, y, mo, d);
  DecodeTime(almost, h, m, s, ms);
  EXPECT_EQ(d, 31);
  EXPECT_EQ(h + m + s + ms, 0);
  // Before 1899 the fraction still adds the time.
  DecodeDate(-1.25, y, mo, d);
  DecodeTime(-1.25, h, m, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
  EXPECT_EQ(ComposeDateTime(2, 0.25), 2.25);
}

TEST(DateTimeTest, CalendarRules) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2026));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2026, 2), 28);
  EXPECT_EQ(DaysInAMonth(2026, 4), 30);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 9)), 4);  // a Wednesday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);
  EXPECT_EQ(DayOfWeek(EncodeDate(1066, 10, 14)), 1);  // proleptic calendar throughout
}

TEST(DateTimeTest, MonthArithmeticCutsTheDay) {
  struct Case {
    TDateTime from;
    int months;
    TDateTime expected;
  } cases[] = {
      {EncodeDate(2026, 1, 31), 1, EncodeDate(2026, 2, 28)},
      {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
      {EncodeDate(2026, 3, 31), -1, EncodeDate(2026, 2, 28)},
      {EncodeDate(2026, 11, 15), 2, EncodeDate(2027, 1, 15)},
      {EncodeDate(2026, 1, 15), -13, EncodeDate(2024, 12, 15)},
      {EncodeDate(2026, 5, 10) + 0.75, 12, EncodeDate(2027, 5, 10) + 0.75},
  };
  for (const Case& c : cases) EXPECT_EQ(IncMonth(c.from, c.months), c.expected) << c.from << " " << c.months;
}

TEST(DateTimeTest, MonthArithmeticBeyondTheCalendarRaises) {
  EXPECT_EQ(IncMonth(EncodeDate(1, 2, 28), -1), EncodeDate(1, 1, 28));
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 31), -1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 31), -13), EConvertError);  // once read a month 0
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 31), 1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(2026, 1, 1), std::numeric_limits<int>::max()), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(2026, 1, 1), std::numeric_limits<int>::min()), EConvertError);
}

TEST(DateTimeTest, NowComesFromTheFrameworkClock) {
  ScopedClock clock(0, EncodeDate(2026, 12, 9) + EncodeTime(15, 5, 9, 0));
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 9));
  EXPECT_NEAR(Time(), EncodeTime(15, 5, 9, 0), 1e-9);
  EXPECT_EQ(CurrentYear(), 2026);
  clock->advance(9 * 3600 * 1000);  // past midnight
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 10));
}

TEST(DateTimeTest, TheSystemClockGivesTodayInTheLocalZone) {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  TDateTime expected = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  TDateTime today = Date();
  // The day may turn between the two readings.
  EXPECT_TRUE(today == expected || today == expected + 1) << today << " " << expected;
}

}  // namespace
