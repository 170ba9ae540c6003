#pragma once
// The locale settings every number and date conversion reads: one object for the process, set
// at start-up (and by tests), read at each call. The defaults are those of a United States
// workstation.
#include <array>

#include "framework/base/AnsiString.h"

struct LocaleSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';

  // Date and time formats in the letters of FormatDateTime; '/' and ':' in them stand for the
  // separators above. The order of d, m and y in ShortDateFormat is the order StrToDate reads.
  AnsiString ShortDateFormat = "M/d/yyyy";
  AnsiString LongDateFormat = "dddd, mmmm d, yyyy";
  AnsiString ShortTimeFormat = "h:mm AMPM";
  AnsiString LongTimeFormat = "h:mm:ss AMPM";
  AnsiString TimeAMString = "AM";
  AnsiString TimePMString = "PM";

  std::array<AnsiString, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<AnsiString, 12> LongMonthNames{"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
  // From Sunday.
  std::array<AnsiString, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<AnsiString, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

  // Where a two-digit year falls: 0 puts it in the current century; n > 0 puts it in the
  // hundred years that begin n years before the current year.
  int TwoDigitYearCenturyWindow = 50;

  // Money (Format's %m, FloatToStrF's ffCurrency). CurrencyFormat: 0 "$1", 1 "1$", 2 "$ 1",
  // 3 "1 $". NegCurrFormat: 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$",
  // 7 "1$-", 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $", 14 "($ 1)",
  // 15 "(1 $)".
  AnsiString CurrencyString = "$";
  int CurrencyFormat = 0;
  int NegCurrFormat = 0;
  int CurrencyDecimals = 2;
};

// The process's settings.
LocaleSettings& Locale();
