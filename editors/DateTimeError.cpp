#include "editors/DateTimeError.h"

#include <cmath>

#include "framework/base/DateFormat.h"

void RaiseDateAboveMaximum(TDateTime MaxDate) { throw EDateTimeError("Date exceeds maximum of " + DateToStr(MaxDate)); }

void RaiseDateBelowMinimum(TDateTime MinDate) {
  throw EDateTimeError("Date is less than minimum of " + DateToStr(MinDate));
}

bool DayAfter(TDateTime Value, TDateTime Limit) { return std::floor(Value) > std::floor(Limit); }
bool DayBefore(TDateTime Value, TDateTime Limit) { return std::floor(Value) < std::floor(Limit); }

void CheckDateWithinLimits(TDateTime Value, TDateTime MinDate, TDateTime MaxDate) {
  if (MaxDate != 0 && DayAfter(Value, MaxDate)) RaiseDateAboveMaximum(MaxDate);
  if (MinDate != 0 && DayBefore(Value, MinDate)) RaiseDateBelowMinimum(MinDate);
}
