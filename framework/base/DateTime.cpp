#include "framework/base/DateTime.h"

#include <cmath>

#include "framework/base/Clock.h"
#include "framework/base/Exception.h"

namespace {

// Days from 1 Jan 0001 (day 0) to 30 Dec 1899.
constexpr int64_t kDelta = 693593;

int64_t daysBeforeYear(int64_t year) {
  int64_t y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

int64_t dayNumber(int year, int month, int day) {
  int64_t days = daysBeforeYear(year);
  for (int m = 1; m < month; ++m) days += DaysInAMonth(year, m);
  return days + day - 1;
}

// Whole days and milliseconds of the day, after rounding to the millisecond. A value whose
// milliseconds do not fit 64 bits (or no number at all) has no date to speak of.
void split(TDateTime value, int64_t& days, int& msOfDay) {
  const double milliseconds = std::fabs(value) * MSecsPerDay;
  if (!(milliseconds < 9223372036854775807.0)) throw EConvertError("Invalid floating point operation");
  auto total = static_cast<int64_t>(std::llround(milliseconds));
  days = total / static_cast<int64_t>(MSecsPerDay);
  msOfDay = static_cast<int>(total % static_cast<int64_t>(MSecsPerDay));
  if (value < 0) days = -days;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
    return false;
  date = static_cast<double>(dayNumber(year, month, day) - kDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
    return false;
  time = (((hour * 60 + min) * 60 + sec) * 1000 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime time;
  if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  int64_t days;
  int ms;
  split(date, days, ms);
  int64_t n = days + kDelta;  // days since 1 Jan 0001
  int64_t y = n / 146097 * 400 + 1;
  n %= 146097;
  int64_t centuries = std::min<int64_t>(n / 36524, 3);
  y += centuries * 100;
  n -= centuries * 36524;
  y += n / 1461 * 4;
  n %= 1461;
  int64_t years = std::min<int64_t>(n / 365, 3);
  y += years;
  n -= years * 365;
  year = static_cast<int>(y);
  month = 1;
  while (n >= DaysInAMonth(year, month)) n -= DaysInAMonth(year, month++);
  day = static_cast<int>(n) + 1;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
  int64_t days;
  int ms;
  split(time, days, ms);
  hour = ms / 3600000;
  min = ms / 60000 % 60;
  sec = ms / 1000 % 60;
  msec = ms % 1000;
}

int DayOfWeek(TDateTime date) {
  int64_t days;
  int ms;
  split(date, days, ms);
  // 30 Dec 1899 was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  double day = std::trunc(date);
  double fraction = std::fabs(time - std::trunc(time));
  return day < 0 ? day - fraction : day + fraction;
}

TDateTime IncMonth(TDateTime date, int months) {
  int year, month, day;
  DecodeDate(date, year, month, day);
  // Months counted from January of year 0, divided downwards, so that a result before year 1
  // still has a month of 1..12 and is refused by the encoding below.
  const int64_t index = int64_t{year} * 12 + (month - 1) + months;
  const int64_t yearIndex = index >= 0 ? index / 12 : -((11 - index) / 12);
  year = static_cast<int>(yearIndex);
  month = static_cast<int>(index - yearIndex * 12) + 1;
  day = std::min(day, DaysInAMonth(year, month));
  return ComposeDateTime(EncodeDate(year, month, day), date);
}

TDateTime Now() { return qn::clock().now(); }
TDateTime Date() { return std::trunc(Now()); }
TDateTime Time() {
  TDateTime now = Now();
  return now - std::trunc(now);
}

int CurrentYear() {
  int year, month, day;
  DecodeDate(Now(), year, month, day);
  return year;
}
