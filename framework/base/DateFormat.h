#pragma once
// Dates and times to text under the locale (Locale()). Format letters, without regard to case:
//   c       ShortDateFormat, then a blank and LongTimeFormat unless the time is exactly midnight
//   d dd    day without / with a leading zero    ddd dddd  short / long day name
//   ddddd   ShortDateFormat                       dddddd    LongDateFormat
//   m mm    month (minute when it follows an h)   mmm mmmm  short / long month name
//   yy yyyy two- / four-digit year                h hh      hour (12-hour when the format
//   n nn    minute                                          holds an AM/PM marker after it)
//   s ss    second                                z zzz     millisecond
//   t tt    ShortTimeFormat / LongTimeFormat
//   am/pm   "am" or "pm" in the case written      a/p       "a" or "p" likewise
//   ampm    TimeAMString or TimePMString
//   /  :    the locale's date and time separators
//   "..." '...'  text as it stands; any other character stands for itself.
#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

AnsiString FormatDateTime(const AnsiString& format, TDateTime value);
AnsiString DateToStr(TDateTime date);          // ShortDateFormat
AnsiString TimeToStr(TDateTime time);          // LongTimeFormat
AnsiString DateTimeToStr(TDateTime dateTime);  // "c"
