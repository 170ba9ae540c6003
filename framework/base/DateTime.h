#pragma once
// TDateTime: days since 30 December 1899 with the time of day as the fraction (6 a.m. on
// 31 Dec 1899 is 1.25). Before that day the whole part counts back and the fraction still adds
// the time (-1.25 is 29 Dec 1899, 6 a.m.). Valid dates run from 1 Jan 0001 to 31 Dec 9999.
using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24 * 60 * 60 * 1000.0;

bool IsLeapYear(int year);
// Days of the month (1..12) in that year.
int DaysInAMonth(int year, int month);

// Raises EConvertError "Invalid argument to date encode" for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// Raises EConvertError "Invalid argument to time encode" unless hour < 24, min and sec < 60
// and msec < 1000.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);

// Both round to the nearest millisecond first, so 23:59:59.9999 is the next day's midnight.
// These and DayOfWeek raise EConvertError "Invalid floating point operation" for a value whose
// milliseconds a 64-bit count cannot hold (infinities and NaN among them).
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);

// 1 for Sunday up to 7 for Saturday.
int DayOfWeek(TDateTime date);
// The same day `months` months on (or back), the day cut to the target month's length; the time
// of day is kept.
TDateTime IncMonth(TDateTime date, int months = 1);
// A date and a time of day joined into one value (also before 30 Dec 1899).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// From the framework's clock (qn::clock()).
TDateTime Now();
TDateTime Date();
TDateTime Time();
int CurrentYear();
