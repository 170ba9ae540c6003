#pragma once
// Record-file dates: six digits YYMMDD with the year counted from 1980 (1980 to 2079), to and
// from date values and the display texts of the forms. No conversion raises: a bad date gives the
// fallback (1 January 1981: "010101", "01/01/81"), sets LastDateConversionFailed and, unless the
// caller asks for quiet, tells the user in an error box.
//
// Display texts follow the order of ShortDateFormat's first letter (day first, year first, else
// month first) and are joined with DateSeparator, so that the platform's date parser reads them
// back under any locale.
#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

// Set at the start of every conversion, cleared when it succeeds.
extern bool LastDateConversionFailed;

// Two-digit years parsed from now on fall in the hundred years that begin with 1980, as record
// files count them. Every conversion that reads a date sets it.
void SetFileDateYearWindow();

// The order of the date parts by ShortDateFormat's first letter: 'D' day first, 'Y' year first,
// 'M' month first (also for any other letter).
char SystemDateOrder();
// Day, month and year joined with Separator in the order a letter of SystemDateOrder names.
AnsiString JoinDateParts(char Order, const AnsiString& Day, const AnsiString& Month, const AnsiString& Year,
                         char Separator);

// Dates outside 1980..2079 have no record-file form and are refused.
void DateToFileDate(bool Quiet, AnsiString& FileDate, TDateTime Date);
TDateTime FileDateToDate(const AnsiString& FileDate, bool Quiet);
// Four-digit year ("15/03/2004"); two-digit year ("15/03/04").
void FileDateToDisplay4(const AnsiString& FileDate, bool Quiet, AnsiString& Display);
void FileDateToDisplay(const AnsiString& FileDate, bool Quiet, AnsiString& Display);
void DisplayToFileDate(const AnsiString& Display, bool Quiet, AnsiString& FileDate);
