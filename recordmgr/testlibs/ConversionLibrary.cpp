// A conversion library for tests, built twice: as libkorvoc32.so with all 32 entry points, and
// as libs2dtconv.so without "Set_YMD" (LACKS_SET_YMD). Every call is recorded under the name it
// was exported as, and a test may have the next call of one entry point fail.
//
// Its date-time is days since 30 December 1899 with the time of day as the fraction. It converts
// its year-month-day form (16-bit year, month, day), the record manager's 4-byte date and time
// forms, and a time of day as 32-bit milliseconds; every other entry point answers 0 and
// converts nothing.
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex logLock;
std::vector<std::string> calls;
std::vector<std::string> failing;

// Records the call; answers 1 when the test asked this entry point to fail.
int16_t enter(const char* name) {
  std::lock_guard<std::mutex> guard(logLock);
  calls.emplace_back(name);
  for (auto it = failing.begin(); it != failing.end(); ++it) {
    if (*it != name) continue;
    failing.erase(it);
    return 1;
  }
  return 0;
}

// Days of a proleptic Gregorian date since the date-time's day 0, and back.
int64_t daysOf(int year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 693899;
}

void dateOf(int64_t days, int& year, int& month, int& day) {
  days += 693899;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

constexpr double kMSecsPerDay = 86400000.0;

}  // namespace

// The converting entry points.

EXPORT int16_t Get_YMD(const void* stored, double* dateTime) {
  if (enter("Get_YMD") != 0) return 1;
  const auto* b = static_cast<const uint8_t*>(stored);
  *dateTime = static_cast<double>(daysOf(b[0] | b[1] << 8, b[2], b[3]));
  return 0;
}

#ifndef LACKS_SET_YMD
EXPORT int16_t Set_YMD(void* stored, double dateTime) {
  if (enter("Set_YMD") != 0) return 1;
  int year = 0, month = 0, day = 0;
  dateOf(static_cast<int64_t>(dateTime), year, month, day);
  auto* b = static_cast<uint8_t*>(stored);
  b[0] = year & 0xFF, b[1] = year >> 8 & 0xFF, b[2] = static_cast<uint8_t>(month), b[3] = static_cast<uint8_t>(day);
  return 0;
}
#endif

EXPORT int16_t Get_BtrieveDate(const void* form, double* dateTime) {
  if (enter("Get_BtrieveDate") != 0) return 1;
  const auto* b = static_cast<const uint8_t*>(form);
  *dateTime = static_cast<double>(daysOf(b[2] | b[3] << 8, b[1], b[0]));
  return 0;
}

EXPORT int16_t Set_BtrieveDate(void* form, double dateTime) {
  if (enter("Set_BtrieveDate") != 0) return 1;
  int year = 0, month = 0, day = 0;
  dateOf(static_cast<int64_t>(dateTime), year, month, day);
  auto* b = static_cast<uint8_t*>(form);
  b[0] = static_cast<uint8_t>(day), b[1] = static_cast<uint8_t>(month), b[2] = year & 0xFF, b[3] = year >> 8 & 0xFF;
  return 0;
}

EXPORT int16_t Get_BtrieveTime(const void* form, double* dateTime) {
  if (enter("Get_BtrieveTime") != 0) return 1;
  const auto* b = static_cast<const uint8_t*>(form);
  *dateTime = (b[3] * 3600000.0 + b[2] * 60000.0 + b[1] * 1000.0 + b[0] * 10.0) / kMSecsPerDay;
  return 0;
}

EXPORT int16_t Set_BtrieveTime(void* form, double dateTime) {
  if (enter("Set_BtrieveTime") != 0) return 1;
  const auto ms = static_cast<int64_t>((dateTime - static_cast<int64_t>(dateTime)) * kMSecsPerDay + 0.5);
  auto* b = static_cast<uint8_t*>(form);
  b[0] = ms % 1000 / 10, b[1] = ms / 1000 % 60, b[2] = ms / 60000 % 60, b[3] = static_cast<uint8_t>(ms / 3600000);
  return 0;
}

EXPORT int16_t Get_TasProTime(const void* stored, double* dateTime) {
  if (enter("Get_TasProTime") != 0) return 1;
  int32_t ms = 0;
  std::memcpy(&ms, stored, sizeof ms);
  *dateTime = ms / kMSecsPerDay;
  return 0;
}

EXPORT int16_t Set_TasProTime(void* stored, double dateTime) {
  if (enter("Set_TasProTime") != 0) return 1;
  const auto ms = static_cast<int32_t>((dateTime - static_cast<int64_t>(dateTime)) * kMSecsPerDay + 0.5);
  std::memcpy(stored, &ms, sizeof ms);
  return 0;
}

// The entry points that only answer.

#define GET_DATETIME(name) \
  EXPORT int16_t name(const void*, double* dateTime) { return *dateTime = 0, enter(#name); }
#define SET_DATETIME(name) \
  EXPORT int16_t name(void*, double) { return enter(#name); }
#define GET_SCALED(name) \
  EXPORT int16_t name(const void*, int16_t, int16_t, double* value) { return *value = 0, enter(#name); }
#define SET_SCALED(name) \
  EXPORT int16_t name(void*, int16_t, int16_t, double) { return enter(#name); }

GET_DATETIME(Get_LongYMD)
SET_DATETIME(Set_LongDate)
GET_DATETIME(Get_Ctime)
SET_DATETIME(Set_Ctime)
GET_DATETIME(Get_MagicTime)
SET_DATETIME(Set_MagicTime)
GET_DATETIME(Get_YYMMDD)
SET_DATETIME(Set_YYMMDD)
GET_DATETIME(Get_YYYYMMDD)
SET_DATETIME(Set_YYYYMMDD)
GET_DATETIME(Get_TasProDate)
SET_DATETIME(Set_TasProDate)
GET_SCALED(Get_TasProNum)
SET_SCALED(Set_TasProNum)
GET_SCALED(Get_UDecimal)
SET_SCALED(Set_UDecimal)

EXPORT int16_t Get_Binary(const void*, int16_t, int16_t, double* value, int16_t, int16_t) {
  return *value = 0, enter("Get_Binary");
}
EXPORT int16_t Set_Binary(void*, int16_t, int16_t, double, int16_t, int16_t) { return enter("Set_Binary"); }
EXPORT int16_t Get_MagicDate(const void*, double* dateTime, int32_t) { return *dateTime = 0, enter("Get_MagicDate"); }
EXPORT int16_t Set_MagicDate(void*, double, int32_t) { return enter("Set_MagicDate"); }
EXPORT int16_t Get_MagicNum100(const void*, int16_t, double* value) { return *value = 0, enter("Get_MagicNum100"); }
EXPORT int16_t Set_MagicNum100(void*, int16_t, double) { return enter("Set_MagicNum100"); }
EXPORT int16_t Get_VBCurrency(const void*, double* value) { return *value = 0, enter("Get_VBCurrency"); }
EXPORT int16_t Set_VBCurrency(void*, double) { return enter("Set_VBCurrency"); }

// The test's side: the names called so far, and failures to come.

EXPORT unsigned CONVLOG_COUNT() {
  std::lock_guard<std::mutex> guard(logLock);
  return static_cast<unsigned>(calls.size());
}

// Copies the name of call `index` (zero-terminated, cut to size); false past the last call.
EXPORT bool CONVLOG_AT(unsigned index, char* name, unsigned size) {
  std::lock_guard<std::mutex> guard(logLock);
  if (index >= calls.size() || size == 0) return false;
  std::strncpy(name, calls[index].c_str(), size - 1);
  name[size - 1] = '\0';
  return true;
}

EXPORT void CONVLOG_CLEAR() {
  std::lock_guard<std::mutex> guard(logLock);
  calls.clear();
  failing.clear();
}

// The next call of the entry point exported as `name` answers 1.
EXPORT void CONVLOG_FAIL(const char* name) {
  std::lock_guard<std::mutex> guard(logLock);
  failing.emplace_back(name);
}
