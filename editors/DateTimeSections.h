#pragma once
// The sections of a date-time picker's text: which parts of the value its format shows (day,
// weekday, month, year, hour, minute, second, AM/PM), in order, and where each lies in the text
// rendered for a value. Also the format with the locale's compound letters written out and the
// two-digit-year rule of the picker's epoch.
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

enum class DateTimeSectionKind { day, weekday, month, monthName, year, hour, minute, second, ampm };

struct DateTimeSection {
  DateTimeSectionKind kind;
  AnsiString token;  // as written in the format ("dd", "yyyy", "AM/PM", ...)
  int start = 0;     // 0-based position in the rendered text
  int length = 0;

  bool isDate() const { return kind <= DateTimeSectionKind::year; }
  bool isNumeric() const;
  // A section of one letter shows its number without a leading zero.
  bool twoLetters() const { return token.size() >= 2; }
  bool fourDigitYear() const { return kind == DateTimeSectionKind::year && token.size() > 2; }
};

// "c", "dddddd", "ddddd", "tt" and "t" replaced, in that order, by the locale's formats.
AnsiString ExpandDateTimeFormat(const AnsiString& Format);

// The sections of the expanded format, date sections only when Dates, time sections only when
// Times, each placed in the text the format renders for Value. A section that the text does not
// reach (the time of "c" at midnight) starts at the text's end with length 0.
std::vector<DateTimeSection> DateTimeDisplaySections(const AnsiString& ExpandedFormat, TDateTime Value, bool Dates,
                                                     bool Times);

// Whether the format shows the hour on a twelve-hour clock (it holds an AM/PM token).
bool FormatHasAmPm(const AnsiString& ExpandedFormat);

// A year typed as two digits (0-99) under the pivot Epoch.
int DateTimeEpochRule(int TwoDigitYear, int Epoch);
