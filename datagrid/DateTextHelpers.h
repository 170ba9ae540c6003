#pragma once
// Dates and times typed in the user's locale, read without raising: the scanners answer False for
// a text that does not scan, and the value helpers 0. The locale's ShortDateFormat, DateSeparator,
// TimeSeparator, AM and PM strings and short month names are read at every call. A two-digit year
// is placed by this library's own rule, not the locale's window: above 50 in the 1900s, else in
// the 2000s; a date without a year takes the current year of the framework's clock.
#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

// Date orders of GetDateOrder.
constexpr int doMDY = 0;
constexpr int doDMY = 1;
constexpr int doYMD = 2;

// The order the first of the letters d, m and y in Format gives (month-day-year without any).
int GetDateOrder(const AnsiString& Format);

// Day + 1 after wrapping the month's last day to 1; Day - 1 wrapping 1 to the last day.
int NextDayOfMonth(int Year, int Month, int Day);
int PrevDayOfMonth(int Year, int Month, int Day);

// The names the controls call the framework's encoders by.
inline bool TryEncodeDateParts(int Year, int Month, int Day, TDateTime& Date) {
  return TryEncodeDate(Year, Month, Day, Date);
}
inline bool TryEncodeTimeParts(int Hour, int Min, int Sec, int MSec, TDateTime& Time) {
  return TryEncodeTime(Hour, Min, Sec, MSec, Time);
}

// A date from position Pos: two or three numbers (or short month names) joined by DateSeparator,
// in the locale's date order. On success Pos stands after the date and the blanks that follow it.
bool ScanDateText(const AnsiString& Text, int& Pos, TDateTime& Date);
// A time from Pos: hour, TimeSeparator, minutes, optionally seconds, then optionally the AM or PM
// string (or "AM"/"PM", any case), which needs an hour from 1 to 12. On success Pos stands after
// the time and the blanks that follow it.
bool ScanTimeText(const AnsiString& Text, int& Pos, TDateTime& Time);

// Whether the whole text is a date, a time, or a date followed by a time.
bool IsDateText(const AnsiString& Text);
bool IsTimeText(const AnsiString& Text);
bool IsDateTimeText(const AnsiString& Text);
// The value of a whole date-time text; 0 when it is not one.
TDateTime DateTimeTextToValue(const AnsiString& Text);
// The date the text begins with (whatever follows is ignored); 0 when none.
TDateTime DateTextToValue(const AnsiString& Text);
// The value of a whole time text; 0 when it is not one.
TDateTime TimeTextToValue(const AnsiString& Text);

// Digits only, with a leading '-' when more follows; the empty text counts as an integer.
bool IsIntegerText(const AnsiString& Text);
// The empty text, or one whose first 63 characters read as a number under the locale.
bool IsFloatText(const AnsiString& Text);
