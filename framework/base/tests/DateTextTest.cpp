#include <gtest/gtest.h>

#include <cmath>

#include "framework/base/DateFormat.h"
#include "framework/base/DateParse.h"
#include "framework/base/Exception.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

class DateTextTest : public ::testing::Test {
 protected:
  ScopedLocale locale_;
  ScopedClock clock_{0, EncodeDate(2026, 12, 9) + EncodeTime(15, 5, 9, 0)};
};

TEST_F(DateTextTest, FormatLetters) {
  const TDateTime afternoon = EncodeDate(2026, 3, 7) + EncodeTime(15, 5, 9, 42);
  const TDateTime morning = EncodeDate(2004, 11, 23) + EncodeTime(0, 30, 0, 0);
  struct Case {
    AnsiString format;
    TDateTime value;
    AnsiString expected;
  } cases[] = {
      {"d/m/yy", afternoon, "7/3/26"},
      {"dd/mm/yyyy", afternoon, "07/03/2026"},
      {"ddd dddd", afternoon, "Sat Saturday"},
      {"mmm mmmm", afternoon, "Mar March"},
      {"ddddd", afternoon, "3/7/2026"},
      {"dddddd", afternoon, "Saturday, March 7, 2026"},
      {"h:nn:ss.zzz", afternoon, "15:05:09.042"},
      {"hh:mm", afternoon, "15:05"},                 // m after h is the minute
      {"h:mm am/pm", afternoon, "3:05 pm"},
      {"h:mm AM/PM", morning, "12:30 AM"},
      {"hh:mm A/P", afternoon, "03:05 P"},
      {"h:mm ampm", morning, "12:30 AM"},
      {"t", afternoon, "3:05 PM"},
      {"tt", afternoon, "3:05:09 PM"},
      {"c", afternoon, "3/7/2026 3:05:09 PM"},
      {"c", EncodeDate(2026, 3, 7), "3/7/2026"},     // midnight shows no time
      {"\"Printed on\" d-m", afternoon, "Printed on 7-3"},
      {"'yyyy' yyyy", afternoon, "yyyy 2026"},
      {"yyyy", EncodeDate(987, 6, 5), "0987"},
      {"d/m/yyy", afternoon, "7/3/2026"},            // three letters write four digits
      {"yyy/m", afternoon, "2026/3"},                // and take nothing after them
      {"z", afternoon, "42"},
      {"mm/dd/yyyy hh:nn", morning, "11/23/2004 00:30"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, c.value), c.expected) << c.format;
}

TEST_F(DateTextTest, SeparatorsAndNamesComeFromTheLocale) {
  Locale().DateSeparator = '.';
  Locale().TimeSeparator = '-';
  Locale().ShortDateFormat = "dd/mm/yyyy";
  Locale().LongTimeFormat = "hh:nn:ss";
  Locale().LongMonthNames[0] = "janvier";
  const TDateTime value = EncodeDate(2026, 1, 2) + EncodeTime(8, 9, 10, 0);
  EXPECT_EQ(DateToStr(value), "02.01.2026");
  EXPECT_EQ(TimeToStr(value), "08-09-10");
  EXPECT_EQ(DateTimeToStr(value), "02.01.2026 08-09-10");
  EXPECT_EQ(FormatDateTime("d mmmm", value), "2 janvier");
}

TEST_F(DateTextTest, DatesReadInTheOrderOfTheShortFormat) {
  struct Case {
    AnsiString shortFormat;
    char separator;
    AnsiString text;
    TDateTime expected;  // 0: not a date
  } cases[] = {
      {"M/d/yyyy", '/', "3/7/2026", EncodeDate(2026, 3, 7)},
      {"M/d/yyyy", '/', " 12 / 31 / 1999 ", EncodeDate(1999, 12, 31)},
      {"M/d/yyyy", '/', "2/29/2000", EncodeDate(2000, 2, 29)},
      {"M/d/yyyy", '/', "2/29/1900", 0},
      {"M/d/yyyy", '/', "2/3", EncodeDate(2026, 2, 3)},   // no year: this year
      {"M/d/yyyy", '/', "13/1/2026", 0},
      {"M/d/yyyy", '/', "3-7-2026", 0},
      {"M/d/yyyy", '/', "3/7/2026x", 0},
      {"M/d/yyyy", '/', "3/7/", 0},
      {"M/d/yyyy", '/', "", 0},
      {"dd/MM/yyyy", '/', "15/03/2004", EncodeDate(2004, 3, 15)},
      {"dd/MM/yyyy", '/', "3/15/2004", 0},
      {"dd/MM/yyyy", '/', "15/3", EncodeDate(2026, 3, 15)},
      {"dd.MM.yyyy", '.', "15.03.2004", EncodeDate(2004, 3, 15)},
      {"yyyy-MM-dd", '-', "2004-03-15", EncodeDate(2004, 3, 15)},
      {"yyyy-MM-dd", '-', "03-15", EncodeDate(2026, 3, 15)},
  };
  for (const Case& c : cases) {
    Locale().ShortDateFormat = c.shortFormat;
    Locale().DateSeparator = c.separator;
    TDateTime value = -1;
    EXPECT_EQ(TryStrToDate(c.text, value), c.expected != 0) << c.shortFormat << " " << c.text;
    EXPECT_EQ(value, c.expected != 0 ? c.expected : -1) << c.shortFormat << " " << c.text;
  }
}

TEST_F(DateTextTest, TwoDigitYearsFallInTheWindowInEveryOrder) {
  // The current year is 2026 (the test clock).
  struct Case {
    int window;
    int twoDigitYear;
    int expectedYear;
  } cases[] = {
      {46, 79, 2079}, {46, 80, 1980}, {46, 0, 2000}, {46, 99, 1999},  // 2026 - 1980: from 1980
      {50, 75, 2075}, {50, 76, 1976},                                  // from 1976
      {0, 99, 2099},  {0, 5, 2005},                                    // this century
      {76, 49, 2049}, {76, 50, 1950}, {76, 51, 1951},                  // from 1950
  };
  for (const Case& c : cases) {
    Locale().TwoDigitYearCenturyWindow = c.window;
    const AnsiString yy = (c.twoDigitYear < 10 ? "0" : "") + std::to_string(c.twoDigitYear);
    const TDateTime expected = EncodeDate(c.expectedYear, 3, 4);
    Locale().ShortDateFormat = "M/d/yy";
    EXPECT_EQ(StrToDate("3/4/" + yy), expected) << "MDY window " << c.window << " " << yy;
    Locale().ShortDateFormat = "dd/MM/yyyy";
    EXPECT_EQ(StrToDate("4/3/" + yy), expected) << "DMY window " << c.window << " " << yy;
    Locale().ShortDateFormat = "yy/MM/dd";
    EXPECT_EQ(StrToDate(yy + "/3/4"), expected) << "YMD window " << c.window << " " << yy;
  }
  // Four digits are taken as written, whatever the window; so are three.
  Locale().ShortDateFormat = "M/d/yyyy";
  Locale().TwoDigitYearCenturyWindow = 46;
  EXPECT_EQ(StrToDate("3/4/1979"), EncodeDate(1979, 3, 4));
  EXPECT_EQ(StrToDate("3/4/0079"), EncodeDate(79, 3, 4));
  EXPECT_EQ(StrToDate("3/4/979"), EncodeDate(979, 3, 4));
}

TEST_F(DateTextTest, TheWindowMovesWithTheCurrentYear) {
  Locale().TwoDigitYearCenturyWindow = 50;
  clock_->setNow(EncodeDate(2031, 1, 1));  // from 1981
  EXPECT_EQ(StrToDate("1/1/80"), EncodeDate(2080, 1, 1));
  EXPECT_EQ(StrToDate("1/1/81"), EncodeDate(1981, 1, 1));
}

TEST_F(DateTextTest, Times) {
  struct Case {
    AnsiString text;
    bool valid;
    int hour = 0, min = 0, sec = 0, msec = 0;
  } cases[] = {
      {"12:30 PM", true, 12, 30, 0, 0}, {"12:30 AM", true, 0, 30, 0, 0},
      {"1:05 pm", true, 13, 5, 0, 0},   {"23:59:59", true, 23, 59, 59, 0},
      {"8:09:10.250", true, 8, 9, 10, 250}, {"3 PM", true, 15, 0, 0, 0},
      {" 7:15 ", true, 7, 15, 0, 0},    {"13:00 PM", false},
      {"0:30 AM", false},               {"24:00", false},
      {"12:60", false},                 {"12:", false},
      {"12:30 XM", false},              {"", false},
  };
  for (const Case& c : cases) {
    TDateTime value;
    EXPECT_EQ(TryStrToTime(c.text, value), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(value, EncodeTime(c.hour, c.min, c.sec, c.msec)) << c.text;
    }
  }
  Locale().TimeAMString = "vorm.";
  Locale().TimePMString = "nachm.";
  Locale().TimeSeparator = '.';
  EXPECT_EQ(StrToTime("3.15 nachm."), EncodeTime(15, 15, 0, 0));
  EXPECT_EQ(StrToTime("3.15 PM"), EncodeTime(15, 15, 0, 0));  // the English markers always do
}

TEST_F(DateTextTest, DateTimes) {
  EXPECT_EQ(StrToDateTime("12/7/2026 3:05:09 PM"), EncodeDate(2026, 12, 7) + EncodeTime(15, 5, 9, 0));
  EXPECT_EQ(StrToDateTime("12/7/2026"), EncodeDate(2026, 12, 7));
  EXPECT_EQ(StrToDateTime("3:05"), EncodeTime(3, 5, 0, 0));
  EXPECT_EQ(StrToDateTime("1/1/1899 6:00"), EncodeDate(1899, 1, 1) - 0.25);
  TDateTime value;
  EXPECT_FALSE(TryStrToDateTime("12/7/2026 25:00", value));
  EXPECT_FALSE(TryStrToDateTime("12/7/2026 3:05 junk", value));
  // Round trip through the locale's own formats.
  const TDateTime v = EncodeDate(2026, 12, 7) + EncodeTime(15, 5, 9, 0);
  EXPECT_EQ(StrToDateTime(DateTimeToStr(v)), v);
}

TEST_F(DateTextTest, BadTextRaisesWithAClearMessageOrGivesTheDefault) {
  struct Case {
    TDateTime (*convert)(const AnsiString&);
    AnsiString text, message;
  } cases[] = {
      {StrToDate, "31/31/2026", "'31/31/2026' is not a valid date"},
      {StrToTime, "25:00", "'25:00' is not a valid time"},
      {StrToDateTime, "tomorrow", "'tomorrow' is not a valid date and time"},
  };
  for (const Case& c : cases) {
    try {
      c.convert(c.text);
      ADD_FAILURE() << c.text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(StrToDateDef("x", 7), 7);
  EXPECT_EQ(StrToTimeDef("x", 0.5), 0.5);
  EXPECT_EQ(StrToDateTimeDef("x", 9), 9);
  EXPECT_EQ(StrToDateDef("1/2/2003", 7), EncodeDate(2003, 1, 2));
}

TEST_F(DateTextTest, ValuesWithoutAMillisecondCountRaiseTheConversionError) {
  // Once a length error from deep inside the text building, or text made of a meaningless count.
  for (TDateTime value : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e20}) {
    EXPECT_THROW(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", value), EConvertError) << value;
    EXPECT_THROW(DateTimeToStr(value), EConvertError) << value;
  }
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", EncodeDate(9999, 12, 31)), "9999-12-31");
}

}  // namespace
