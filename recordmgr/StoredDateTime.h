#pragma once
// The record manager's date, time and timestamp forms and the engine's values for them. The
// engine counts dates in days with 1 January 0001 as day 1, times in milliseconds since midnight,
// and timestamps as day number * 86 400 000 + milliseconds of the day (in a double).
#include <cstdint>
#include <optional>

constexpr double MSecsPerEngineDay = 86400000.0;

// The 4-byte date: day, month, 16-bit year. Day, month or year 0 read as 0; a date that is no
// calendar date raises EConvertError "Invalid argument to date encode".
int32_t ReadStoredDate(const uint8_t* stored);
// A day number of 0 or less stores four zero bytes.
void WriteStoredDate(int32_t dayNumber, uint8_t* stored);

// The 4-byte time: hundredths, seconds, minutes, hours. A time that is no time of day reads 0.
int32_t ReadStoredTime(const uint8_t* stored);
void WriteStoredTime(int32_t milliseconds, uint8_t* stored);

// The 8-byte timestamp: a signed count of 100-nanosecond units since 1 January 0001 00:00
// universal time; the engine's timestamp is local time, offsetMinutes behind universal time.
// Moments on or before the first day read 0; nothing is stored for a moment outside the form.
double ReadStoredTimestamp(int64_t stored, int offsetMinutes);
std::optional<int64_t> StoredTimestampOf(double timestamp, int offsetMinutes);

// The engine's day number of the framework's date-time 0.
constexpr int32_t DayNumberOfFirstDateTime = 693594;  // 30 December 1899
