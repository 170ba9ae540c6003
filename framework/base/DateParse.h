#pragma once
// Date and time text to TDateTime under the locale (Locale()).
//
// A date is two or three numbers joined by DateSeparator (blanks allowed around them), read in
// the order of the first of d, m, y in ShortDateFormat (month-day-year, day-month-year or
// year-month-day). Without a year the current year is taken. A year written with one or two
// digits falls by TwoDigitYearCenturyWindow: with window w > 0 into the hundred years that
// begin at (current year - w), with w = 0 into the current century.
// A time is hour[:min[:sec[.msec]]] with TimeSeparator and DecimalSeparator, optionally followed
// by TimeAMString, TimePMString, "AM" or "PM" (any case), which need an hour from 1 to 12.
// A date-time is a date, a date followed by a time, or a time alone.
// Blanks around the whole text are allowed; anything else left over makes the text invalid.
#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

// Raise EConvertError "'<text>' is not a valid date" (time, date and time).
TDateTime StrToDate(const AnsiString& s);
TDateTime StrToTime(const AnsiString& s);
TDateTime StrToDateTime(const AnsiString& s);

bool TryStrToDate(const AnsiString& s, TDateTime& value);
bool TryStrToTime(const AnsiString& s, TDateTime& value);
bool TryStrToDateTime(const AnsiString& s, TDateTime& value);

TDateTime StrToDateDef(const AnsiString& s, TDateTime defaultValue);
TDateTime StrToTimeDef(const AnsiString& s, TDateTime defaultValue);
TDateTime StrToDateTimeDef(const AnsiString& s, TDateTime defaultValue);
