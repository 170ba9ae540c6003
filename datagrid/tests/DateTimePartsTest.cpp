#include "datagrid/DateTimeParts.h"

#include <gtest/gtest.h>

#include "datagrid/tests/TestEdit.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

using qn::datagrid::testing::TestEdit;

class DateTimePartsTest : public ::testing::Test {
 protected:
  ScopedLocale locale_;
  ScopedClock clock_{0, EncodeDate(2001, 7, 10)};

  // The part under the caret at every position of the text, as one string of digits.
  static AnsiString partsAlong(const AnsiString& text, bool timeOnly) {
    AnsiString parts;
    for (int caret = 0; caret <= static_cast<int>(text.size()); ++caret)
      parts += static_cast<char>('0' + GetDateTimePartAtCaret(caret, text, timeOnly));
    return parts;
  }

  // What the edit selects for the part.
  static AnsiString selected(int part, const AnsiString& text, bool timeOnly) {
    TestEdit edit(text);
    edit.SetSelStart(0);
    edit.SetSelLength(0);
    SelectDateTimePart(part, edit, timeOnly);
    return edit.SelText();
  }
};

TEST_F(DateTimePartsTest, CaretPartsAlongAMonthFirstDateTime) {
  //                       "12/31/1999 10:15:30 PM"
  EXPECT_EQ(partsAlong("12/31/1999 10:15:30 PM", false), "11100022222333444555666");
  EXPECT_EQ(GetDateTimePartAtCaret(7, "12/31/1999 10:15:30 PM", false), dtpYear);
  EXPECT_EQ(GetDateTimePartAtCaret(21, "12/31/1999 10:15:30 PM", false), dtpAmPm);
}

TEST_F(DateTimePartsTest, CaretPartsFollowTheDateOrder) {
  Locale().ShortDateFormat = "d.M.yyyy";
  Locale().DateSeparator = '.';
  EXPECT_EQ(partsAlong("31.12.1999", false), "00011122222");
  Locale().ShortDateFormat = "yyyy-MM-dd";
  Locale().DateSeparator = '-';
  EXPECT_EQ(partsAlong("1999-12-31", false), "22222111000");
}

TEST_F(DateTimePartsTest, TimeTextsAndTextsWithoutADate) {
  EXPECT_EQ(partsAlong("10:15:30 PM", true), "333444555666");
  EXPECT_EQ(partsAlong("23:59", true), "333444");
  EXPECT_EQ(GetTimePartAtCaret(0, "10:15:30 PM"), dtpHour);
  EXPECT_EQ(GetTimePartAtCaret(-4, "10:15:30 PM"), dtpHour);
  EXPECT_EQ(GetTimePartAtCaret(10, "10:15:30 PM"), dtpAmPm);
  // A text whose date does not scan is read as a date.
  EXPECT_EQ(GetDateTimePartAtCaret(4, "13/45/1999 10:15", false), dtpDay);
}

TEST_F(DateTimePartsTest, SelectingEachPartOfADateTime) {
  const AnsiString text = "12/31/1999 10:15:30 PM";
  EXPECT_EQ(selected(dtpMonth, text, false), "12");
  EXPECT_EQ(selected(dtpDay, text, false), "31");
  EXPECT_EQ(selected(dtpYear, text, false), "1999");
  EXPECT_EQ(selected(dtpHour, text, false), "10");
  EXPECT_EQ(selected(dtpMinute, text, false), "15");
  EXPECT_EQ(selected(dtpSecond, text, false), "30");
  EXPECT_EQ(selected(dtpAmPm, text, false), "PM");

  TestEdit edit(text);
  SelectDateTimePart(dtpAmPm, edit, false);
  EXPECT_EQ(edit.SelStart(), 20);
  EXPECT_EQ(edit.SelLength(), 2);
}

TEST_F(DateTimePartsTest, SelectingInTimesAndOtherOrders) {
  EXPECT_EQ(selected(dtpHour, "9:05 AM", true), "9");
  // Without seconds the minutes end before the marker.
  EXPECT_EQ(selected(dtpMinute, "9:05 AM", true), "05");
  EXPECT_EQ(selected(dtpSecond, "23:59:58", true), "58");
  Locale().ShortDateFormat = "yyyy-MM-dd";
  Locale().DateSeparator = '-';
  EXPECT_EQ(selected(dtpYear, "1999-12-31", false), "1999");
  EXPECT_EQ(selected(dtpMonth, "1999-12-31", false), "12");
  EXPECT_EQ(selected(dtpDay, "1999-12-31", false), "31");
}

TEST_F(DateTimePartsTest, AMissingPartLeavesTheSelectionAlone) {
  struct Case {
    int part;
    const char* text;
    bool timeOnly;
  };
  for (const Case& c : {Case{dtpHour, "13/45/1999 10:15", false}, Case{dtpSecond, "10:15", true},
                        Case{dtpAmPm, "10:15:30", true}, Case{dtpYear, "12/31", false}, Case{9, "12/31/1999", false}}) {
    SCOPED_TRACE(c.text);
    TestEdit edit(c.text);
    edit.SetSelStart(1);
    edit.SetSelLength(2);
    SelectDateTimePart(c.part, edit, c.timeOnly);
    EXPECT_EQ(edit.SelStart(), 1);
    EXPECT_EQ(edit.SelLength(), 2);
  }
}

}  // namespace
