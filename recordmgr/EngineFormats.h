#pragma once
// The date and time formats the engine facade keeps for its engine objects, read from the
// workstation's settings when the facade starts (little-endian, no padding).
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct EngineDateFormat {
  char Separator[4];         // the date separator, then zeros
  // "iDATE" of section "INTL" in win.ini: 0 month-day-year, 1 day-month-year, 2 year-month-day
  uint8_t Mode;
  uint8_t FourDigitYear;     // 1 when the short date format writes "yyyy"
  uint8_t YearBiased;        // always 1
  uint8_t MonthLeadingZero;  // 1 when the short date format writes "mm"
  uint8_t DayLeadingZero;    // 1 when the short date format writes "dd"
};

struct EngineTimeFormat {
  char Separator;
  uint8_t TwelveHour;  // 1 when the short time format holds " AMPM"
  char AmText[6];      // up to 5 characters of the morning designator, only with TwelveHour
  char PmText[6];
  uint8_t Seconds;       // always 1
  uint8_t Milliseconds;  // always 0
};
#pragma pack(pop)

static_assert(sizeof(EngineDateFormat) == 9);
static_assert(sizeof(EngineTimeFormat) == 16);
static_assert(offsetof(EngineTimeFormat, PmText) == 8);
