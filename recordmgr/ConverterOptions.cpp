#include "recordmgr/ConverterOptions.h"

#include <ctime>

TConverterOptions ConverterOptions;

namespace {

int systemTimeZoneOffset() {
  tzset();
  // timezone: seconds west of universal time for standard time; a zone with daylight time moves
  // an hour further east while it is in force.
  return static_cast<int>(timezone / 60) - (daylight ? 60 : 0);
}

int offset = systemTimeZoneOffset();

}  // namespace

int TimeZoneOffset() { return offset; }
void SetTimeZoneOffset(int minutes) { offset = minutes; }
