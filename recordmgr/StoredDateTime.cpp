#include "recordmgr/StoredDateTime.h"

#include <cmath>

#include "framework/base/DateTime.h"

int32_t ReadStoredDate(const uint8_t* stored) {
  const int day = stored[0], month = stored[1], year = stored[2] | stored[3] << 8;
  if (day == 0 || month == 0 || year == 0) return 0;
  return static_cast<int32_t>(EncodeDate(year, month, day)) + DayNumberOfFirstDateTime;
}

void WriteStoredDate(int32_t dayNumber, uint8_t* stored) {
  int year = 0, month = 0, day = 0;
  if (dayNumber > 0) DecodeDate(static_cast<TDateTime>(dayNumber - DayNumberOfFirstDateTime), year, month, day);
  stored[0] = static_cast<uint8_t>(day);
  stored[1] = static_cast<uint8_t>(month);
  stored[2] = static_cast<uint8_t>(year & 0xFF);
  stored[3] = static_cast<uint8_t>(year >> 8 & 0xFF);
}

int32_t ReadStoredTime(const uint8_t* stored) {
  const int hundredths = stored[0], seconds = stored[1], minutes = stored[2], hours = stored[3];
  if (hours > 23 || minutes > 59 || seconds > 59 || hundredths > 99) return 0;
  return hours * 3600000 + minutes * 60000 + seconds * 1000 + hundredths * 10;
}

void WriteStoredTime(int32_t milliseconds, uint8_t* stored) {
  stored[0] = static_cast<uint8_t>(milliseconds % 1000 / 10);
  stored[1] = static_cast<uint8_t>(milliseconds / 1000 % 60);
  stored[2] = static_cast<uint8_t>(milliseconds / 60000 % 60);
  stored[3] = static_cast<uint8_t>(milliseconds / 3600000);
}

double ReadStoredTimestamp(int64_t stored, int offsetMinutes) {
  const double v = static_cast<double>(stored) / 10000.0 - offsetMinutes * 60000.0;
  const double wholeDays = std::trunc(v / MSecsPerEngineDay);
  if (wholeDays <= 0) return 0;
  double rest = v - wholeDays * MSecsPerEngineDay;
  const double hours = std::trunc(rest / 3600000.0);
  rest -= hours * 3600000.0;
  const double minutes = std::trunc(rest / 60000.0);
  rest -= minutes * 60000.0;
  const double seconds = std::trunc(rest / 1000.0);
  rest -= seconds * 1000.0;
  const double timeOfDay = hours * 3600000.0 + minutes * 60000.0 + seconds * 1000.0 + std::round(rest);
  return (wholeDays + 1) * MSecsPerEngineDay + timeOfDay;
}

std::optional<int64_t> StoredTimestampOf(double timestamp, int offsetMinutes) {
  if (!std::isfinite(timestamp)) return std::nullopt;
  const double milliseconds = std::round(timestamp);
  const double day = std::floor(milliseconds / MSecsPerEngineDay);
  const double timeOfDay = milliseconds - day * MSecsPerEngineDay;
  const double units = ((day - 1) * MSecsPerEngineDay + timeOfDay + offsetMinutes * 60000.0) * 10000.0;
  if (std::fabs(units) >= 9.2e18) return std::nullopt;
  return static_cast<int64_t>(units);
}
