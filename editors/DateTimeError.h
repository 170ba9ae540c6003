#pragma once
// EDateTimeError: a date outside the lower or upper limit of a date-time picker or a month
// calendar. Limits compare whole days: any time on the limit's day lies within it.
#include "framework/base/DateTime.h"
#include "framework/base/Exception.h"

QN_EXCEPTION(EDateTimeError, Exception)

// "Date exceeds maximum of <limit in the short date format>".
[[noreturn]] void RaiseDateAboveMaximum(TDateTime MaxDate);
// "Date is less than minimum of <limit in the short date format>".
[[noreturn]] void RaiseDateBelowMinimum(TDateTime MinDate);
// Raises when the day of Value lies after a set MaxDate or before a set MinDate (0 = no limit).
void CheckDateWithinLimits(TDateTime Value, TDateTime MinDate, TDateTime MaxDate);
// Whether the day of Value lies after Limit's day (or before it).
bool DayAfter(TDateTime Value, TDateTime Limit);
bool DayBefore(TDateTime Value, TDateTime Limit);
