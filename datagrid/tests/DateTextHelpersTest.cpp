#include "datagrid/DateTextHelpers.h"

#include <gtest/gtest.h>

#include "framework/base/tests/ScopedSettings.h"

namespace {

// A United States workstation on 10 July 2001, unless a test changes the locale.
class DateTextTest : public ::testing::Test {
 protected:
  ScopedLocale locale_;
  ScopedClock clock_{0, EncodeDate(2001, 7, 10) + 0.5};

  static void dayFirst() {
    Locale().ShortDateFormat = "dd.MM.yyyy";
    Locale().DateSeparator = '.';
  }
};

struct DateCase {
  const char* text;
  bool scans;
  int year, month, day;
};

TEST_F(DateTextTest, DatesUnderMonthFirstFormat) {
  const DateCase cases[] = {
      {"2/29/2000", true, 2000, 2, 29},
      {"2/29/1900", false, 0, 0, 0},
      {"2/3", true, 2001, 2, 3},          // the clock's year
      {"2/3/49", true, 2049, 2, 3},
      {"2/3/50", true, 2050, 2, 3},
      {"2/3/51", true, 1951, 2, 3},
      {"2/3/99", true, 1999, 2, 3},
      {"feb/3/2001", true, 2001, 2, 3},
      {"12 / 31 / 1999", true, 1999, 12, 31},
      {"13/1/2001", false, 0, 0, 0},
      {"2-3-2001", false, 0, 0, 0},
      {"2/", false, 0, 0, 0},
      {"", false, 0, 0, 0},
      {"x/3/2001", false, 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsDateText(c.text), c.scans);
    EXPECT_EQ(DateTextToValue(c.text), c.scans ? EncodeDate(c.year, c.month, c.day) : 0);
  }
}

TEST_F(DateTextTest, TwoDigitYearsIgnoreTheLocalesWindow) {
  for (int window : {0, 10, 80}) {
    Locale().TwoDigitYearCenturyWindow = window;
    EXPECT_EQ(DateTextToValue("2/3/51"), EncodeDate(1951, 2, 3)) << window;
    EXPECT_EQ(DateTextToValue("2/3/49"), EncodeDate(2049, 2, 3)) << window;
  }
}

TEST_F(DateTextTest, DatesUnderDayFirstFormat) {
  dayFirst();
  const DateCase cases[] = {
      {"3.2.2001", true, 2001, 2, 3},
      {"29.2.2000", true, 2000, 2, 29},
      {"31.12", true, 2001, 12, 31},
      {"3.FEB.49", true, 2049, 2, 3},
      {"2/3/2001", false, 0, 0, 0},
      {"12.31.1999", false, 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsDateText(c.text), c.scans);
    EXPECT_EQ(DateTextToValue(c.text), c.scans ? EncodeDate(c.year, c.month, c.day) : 0);
  }
  Locale().ShortDateFormat = "yyyy.MM.dd";
  EXPECT_EQ(DateTextToValue("1999.12.31"), EncodeDate(1999, 12, 31));
  EXPECT_EQ(DateTextToValue("12.31"), EncodeDate(2001, 12, 31));
}

TEST_F(DateTextTest, ScanningMovesPastTheDateAndItsBlanksOnlyOnSuccess) {
  int pos = 3;
  TDateTime date = -1;
  EXPECT_TRUE(ScanDateText("x 2/3/2001  10:15", pos, date));
  EXPECT_EQ(pos, 13);
  EXPECT_EQ(date, EncodeDate(2001, 2, 3));

  pos = 1;
  date = -1;
  EXPECT_FALSE(ScanDateText("2/30/2001", pos, date));
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(date, -1);
  pos = 0;
  EXPECT_FALSE(ScanDateText("2/3/2001", pos, date));
  pos = 9;
  EXPECT_FALSE(ScanDateText("2/3/2001", pos, date));
  // The rest of a text after its date is no matter for DateTextToValue.
  EXPECT_EQ(DateTextToValue("2/3/2001 and more"), EncodeDate(2001, 2, 3));
  EXPECT_FALSE(IsDateText("2/3/2001 and more"));
  // A number has four digits at most: the fifth is left over.
  EXPECT_FALSE(IsDateText("2/3/12345"));
  EXPECT_EQ(DateTextToValue("2/3/12345"), EncodeDate(1234, 2, 3));
}

struct TimeCase {
  const char* text;
  bool scans;
  int hour, min, sec;
};

TEST_F(DateTextTest, TimesIn12And24HourForm) {
  const TimeCase cases[] = {
      {"12:30 PM", true, 12, 30, 0},
      {"12:30 AM", true, 0, 30, 0},
      {"1:05 pm", true, 13, 5, 0},
      {"11:59:59 PM", true, 23, 59, 59},
      {"13:00 PM", false, 0, 0, 0},
      {"0:30 AM", false, 0, 0, 0},
      {"23:59:59", true, 23, 59, 59},
      {"24:00", false, 0, 0, 0},
      {"10:60", false, 0, 0, 0},
      {"10", false, 0, 0, 0},
      {"10:15 XM", false, 0, 0, 0},
      {"", false, 0, 0, 0},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsTimeText(c.text), c.scans);
    EXPECT_EQ(TimeTextToValue(c.text), c.scans ? EncodeTime(c.hour, c.min, c.sec, 0) : 0);
  }
}

TEST_F(DateTextTest, TheLocalesMarkersAndSeparatorCount) {
  Locale().TimeSeparator = '.';
  Locale().TimeAMString = "vorm.";
  Locale().TimePMString = "nachm.";
  EXPECT_EQ(TimeTextToValue("2.15 nachm."), EncodeTime(14, 15, 0, 0));
  EXPECT_EQ(TimeTextToValue("2.15 PM"), EncodeTime(14, 15, 0, 0));
  EXPECT_EQ(TimeTextToValue("2.15 vorm."), EncodeTime(2, 15, 0, 0));
  EXPECT_FALSE(IsTimeText("2:15"));
  // A locale without markers reads 24-hour times and still takes "AM" and "PM".
  Locale().TimeAMString = "";
  Locale().TimePMString = "";
  EXPECT_EQ(TimeTextToValue("14.15"), EncodeTime(14, 15, 0, 0));
  EXPECT_EQ(TimeTextToValue("2.15 pm"), EncodeTime(14, 15, 0, 0));
}

TEST_F(DateTextTest, DateTimeTexts) {
  EXPECT_TRUE(IsDateTimeText("12/31/1999 10:15:30 PM"));
  EXPECT_EQ(DateTimeTextToValue("12/31/1999 10:15:30 PM"), EncodeDate(1999, 12, 31) + EncodeTime(22, 15, 30, 0));
  // Before 30 Dec 1899 the time still adds to the day.
  EXPECT_EQ(DateTimeTextToValue("1/1/1800 6:00"), ComposeDateTime(EncodeDate(1800, 1, 1), EncodeTime(6, 0, 0, 0)));
  EXPECT_LT(DateTimeTextToValue("1/1/1800 6:00"), EncodeDate(1800, 1, 1));
  EXPECT_FALSE(IsDateTimeText("12/31/1999"));
  EXPECT_FALSE(IsDateTimeText("10:15"));
  EXPECT_FALSE(IsDateTimeText("12/31/1999 10:15 x"));
  EXPECT_EQ(DateTimeTextToValue("12/31/1999"), 0);
}

TEST(DateOrder, TheFirstOfDMYDecides) {
  EXPECT_EQ(GetDateOrder("M/d/yyyy"), doMDY);
  EXPECT_EQ(GetDateOrder("dd.MM.yy"), doDMY);
  EXPECT_EQ(GetDateOrder("yyyy-MM-dd"), doYMD);
  EXPECT_EQ(GetDateOrder("DD/MM"), doDMY);
  EXPECT_EQ(GetDateOrder(""), doMDY);
}

TEST(DaysOfMonth, StepsWrapWithinTheMonth) {
  EXPECT_EQ(NextDayOfMonth(2000, 2, 28), 29);
  EXPECT_EQ(NextDayOfMonth(2000, 2, 29), 1);
  EXPECT_EQ(NextDayOfMonth(1900, 2, 28), 1);
  EXPECT_EQ(PrevDayOfMonth(2001, 3, 1), 31);
  EXPECT_EQ(PrevDayOfMonth(2001, 2, 1), 28);
  EXPECT_EQ(PrevDayOfMonth(2001, 2, 15), 14);
  TDateTime value;
  EXPECT_FALSE(TryEncodeDateParts(10000, 1, 1, value));
  EXPECT_TRUE(TryEncodeTimeParts(23, 59, 59, 999, value));
  EXPECT_FALSE(TryEncodeTimeParts(23, 59, 59, 1000, value));
}

TEST(NumberTexts, IntegersAndFloats) {
  struct Case {
    const char* text;
    bool integer;
  };
  for (const Case& c : {Case{"-", false}, Case{"-5", true}, Case{"", true}, Case{"007", true}, Case{"5-", false},
                        Case{"--5", false}, Case{" 5", false}, Case{"1.5", false}}) {
    EXPECT_EQ(IsIntegerText(c.text), c.integer) << c.text;
  }
  ScopedLocale locale;
  EXPECT_TRUE(IsFloatText(""));
  EXPECT_TRUE(IsFloatText("-12.5e3"));
  EXPECT_FALSE(IsFloatText("12,5"));
  Locale().DecimalSeparator = ',';
  EXPECT_TRUE(IsFloatText("12,5"));
  // Only the first 63 characters are read.
  EXPECT_TRUE(IsFloatText(AnsiString(63, '1') + "x"));
  EXPECT_FALSE(IsFloatText(AnsiString(62, '1') + "x"));
}

}  // namespace
