#include "core/FileDates.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/base/DateParse.h"
#include "framework/base/Locale.h"
#include "framework/base/tests/ScopedSettings.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kCall = "\r\rPlease call Vantor, Inc. for assistance.";

// A workstation in 2026 with the locale a test chooses; every box must be expected.
class FileDatesTest : public ::testing::Test {
 protected:
  void useDateFormat(const AnsiString& shortDateFormat, char separator) {
    Locale().ShortDateFormat = shortDateFormat;
    Locale().DateSeparator = separator;
  }

  ScopedLocale locale_;
  ScopedClock clock_{0, EncodeDate(2026, 12, 9)};
  ScriptedMessageBoxes boxes_;
};

struct DateCase {
  int year, month, day;
  AnsiString fileDate;
};

const std::vector<DateCase> kDates = {
    {1980, 1, 1, "000101"},   {1981, 1, 1, "010101"},  {1999, 12, 31, "191231"},
    {2000, 1, 1, "200101"},   {2004, 3, 15, "240315"}, {2024, 2, 29, "440229"},
    {2079, 1, 1, "990101"},   {2079, 12, 31, "991231"},
};

TEST_F(FileDatesTest, DatesBecomeFileDatesAndBack) {
  for (const DateCase& d : kDates) {
    SCOPED_TRACE(d.fileDate);
    AnsiString fileDate;
    DateToFileDate(false, fileDate, EncodeDate(d.year, d.month, d.day) + 0.75);
    EXPECT_EQ(fileDate, d.fileDate);
    EXPECT_FALSE(LastDateConversionFailed);
    EXPECT_EQ(FileDateToDate(d.fileDate, false), EncodeDate(d.year, d.month, d.day));
    EXPECT_FALSE(LastDateConversionFailed);
  }
}

TEST_F(FileDatesTest, DatesOutsideTheHundredYearsAreRefused) {
  boxes_.expect(mtError, "Invalid date (12/31/1979) cannot convert to QN file format. Date 01/01/1981 will be used. " + kCall)
      .expect(mtError, "Invalid date (1/1/2080) cannot convert to QN file format. Date 01/01/1981 will be used. " + kCall);
  for (TDateTime date : {EncodeDate(1979, 12, 31), EncodeDate(2080, 1, 1)}) {
    AnsiString fileDate = "240315";
    DateToFileDate(false, fileDate, date);
    EXPECT_EQ(fileDate, "010101");
    EXPECT_TRUE(LastDateConversionFailed);
  }
  AnsiString fileDate;
  DateToFileDate(true, fileDate, EncodeDate(1900, 1, 1));
  EXPECT_EQ(fileDate, "010101") << "quiet: the same fallback without a box";
  EXPECT_TRUE(LastDateConversionFailed);
}

TEST_F(FileDatesTest, BadFileDatesGiveTheFallbackDate) {
  struct Bad {
    AnsiString fileDate;
    AnsiString message;
  };
  const std::vector<Bad> bad = {
      {"24031", "Invalid date - must be 6 integers. (24031) Date 01/01/1981 will be used. "},
      {"2403151", "Invalid date - must be 6 integers. (2403151) Date 01/01/1981 will be used. "},
      {"24o315", "Invalid date - must be 6 integers. (24o315) Date 01/01/1981 will be used. "},
      {"      ", "Invalid date - must be 6 integers. () Date 01/01/1981 will be used. "},
      {"241315", "Invalid QN file date  13/15/2004Date 01/01/1981 will be used. "},
      {"250229", "Invalid QN file date  02/29/2005Date 01/01/1981 will be used. "},
  };
  for (const Bad& b : bad) boxes_.expect(mtError, b.message + kCall);
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.fileDate);
    EXPECT_EQ(FileDateToDate(b.fileDate, false), EncodeDate(1981, 1, 1));
    EXPECT_TRUE(LastDateConversionFailed);
  }
  EXPECT_EQ(FileDateToDate("24031", true), EncodeDate(1981, 1, 1)) << "quiet";
  EXPECT_TRUE(LastDateConversionFailed);
  EXPECT_EQ(FileDateToDate(" 240315 ", false), EncodeDate(2004, 3, 15)) << "blanks around are allowed";
  EXPECT_FALSE(LastDateConversionFailed);
}

TEST_F(FileDatesTest, TheDayFirstMessageShowsTheDayFirst) {
  useDateFormat("dd/MM/yyyy", '/');
  boxes_.expect(mtError, "Invalid QN file date  31/04/2004Date 01/01/1981 will be used. " + kCall);
  EXPECT_EQ(FileDateToDate("240431", false), EncodeDate(1981, 1, 1));
}

struct Display {
  AnsiString format;
  char separator;
  AnsiString fileDate, four, two;
};

TEST_F(FileDatesTest, DisplayTextsFollowTheDateOrderBothWays) {
  const std::vector<Display> displays = {
      {"M/d/yyyy", '/', "240315", "03/15/2004", "03/15/04"},
      {"M/d/yyyy", '/', "000101", "01/01/1980", "01/01/80"},
      {"M/d/yyyy", '/', "191231", "12/31/1999", "12/31/99"},
      {"M/d/yyyy", '/', "200101", "01/01/2000", "01/01/00"},
      {"M/d/yyyy", '/', "991231", "12/31/2079", "12/31/79"},
      {"dd/MM/yyyy", '/', "240315", "15/03/2004", "15/03/04"},
      {"d/M/yy", '/', "200101", "01/01/2000", "01/01/00"},
      {"dd.MM.yyyy", '.', "240315", "15.03.2004", "15.03.04"},
      {"yyyy-MM-dd", '-', "240315", "2004-03-15", "04-03-15"},
  };
  for (const Display& d : displays) {
    SCOPED_TRACE(d.format + " " + d.fileDate);
    useDateFormat(d.format, d.separator);
    AnsiString four, two, back;
    FileDateToDisplay4(d.fileDate, false, four);
    EXPECT_EQ(four, d.four);
    EXPECT_FALSE(LastDateConversionFailed);
    FileDateToDisplay(d.fileDate, false, two);
    EXPECT_EQ(two, d.two);
    EXPECT_FALSE(LastDateConversionFailed);
    DisplayToFileDate(four, false, back);
    EXPECT_EQ(back, d.fileDate) << "four-digit display read back";
    DisplayToFileDate(two, false, back);
    EXPECT_EQ(back, d.fileDate) << "two-digit display read back";
    EXPECT_FALSE(LastDateConversionFailed);
  }
}

TEST_F(FileDatesTest, BadFileDatesDisplayTheFallback) {
  const AnsiString four = ")  Can't convert to QN display date. Date 01/01/81 will be used. ";
  boxes_.expect(mtError, "Invalid QN file date - must be 6 integers. (24o315" + four + kCall)
      .expect(mtError, "Invalid QN file date length - Must be 6 integers. (24031" + four + kCall)
      .expect(mtError, "Can't convert QN file date to QN display date. DateFormat = M/d/yyyy. QN file date = 241301. "
                       "Date 01/01/1981 will be used. " + kCall)
      .expect(mtError, "Invalid QN file date length - Must be 6 integers. (24o315" + four + kCall)
      .expect(mtError, "Invalid QN file date length - Must be 6 integers. (24031" + four + kCall)
      .expect(mtError, "Can't convert QN file date to QN display date. DateFormat = M/d/yyyy.  QN file date = 241301. "
                       "Date 01/01/81 will be used. " + kCall);
  for (auto convert : {&FileDateToDisplay4, &FileDateToDisplay}) {
    for (const char* bad : {"24o315", "24031", "241301"}) {
      SCOPED_TRACE(bad);
      AnsiString display = "12/31/99";
      convert(bad, false, display);
      EXPECT_EQ(display, "01/01/81");
      EXPECT_TRUE(LastDateConversionFailed);
    }
  }
  AnsiString display;
  FileDateToDisplay("", true, display);
  EXPECT_EQ(display, "01/01/81") << "quiet";
  EXPECT_TRUE(LastDateConversionFailed);
}

TEST_F(FileDatesTest, DisplayTextsReadTwoDigitYearsFrom1980On) {
  const std::vector<std::pair<AnsiString, AnsiString>> reads = {
      {"3/15/2004", "240315"}, {"3/15/04", "240315"}, {"1/1/80", "000101"},
      {"12/31/79", "991231"},  {"1/1/1980", "000101"}, {"12/31/99", "191231"},
  };
  for (const auto& [display, fileDate] : reads) {
    AnsiString result;
    DisplayToFileDate(display, false, result);
    EXPECT_EQ(result, fileDate) << display;
  }
  EXPECT_EQ(StrToDate("6/1/79"), EncodeDate(2079, 6, 1)) << "the window stays for the forms' own parsing";
}

TEST_F(FileDatesTest, BadDisplayTextsGiveTheFallbackFileDate) {
  const AnsiString tail = ".  Can't convert to QN file date. Date 01/01/1981 will be used. " + kCall;
  boxes_.expect(mtError, "Invalid QN display date - date = " + tail)
      .expect(mtError, "Invalid QN display date - date = 2/30/2004" + tail)
      .expect(mtError, "Invalid date (1/1/2090) cannot convert to QN file format. Date 01/01/1981 will be used. " + kCall);
  for (const char* bad : {"", "2/30/2004", "1/1/2090"}) {
    AnsiString fileDate = "240315";
    DisplayToFileDate(bad, false, fileDate);
    EXPECT_EQ(fileDate, "010101") << bad;
    EXPECT_TRUE(LastDateConversionFailed);
  }
  AnsiString fileDate;
  DisplayToFileDate("not a date", true, fileDate);
  EXPECT_EQ(fileDate, "010101") << "quiet";
}

}  // namespace
