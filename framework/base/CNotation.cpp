#include "framework/base/CNotation.h"

#include <locale.h>

#include <cstdio>
#include <cstdlib>

namespace qn {
namespace {

locale_t cLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

double ParseCNotation(const char* text, char** end) { return strtod_l(text, end, cLocale()); }

int PrintCNotation(char* buffer, size_t size, const char* format, int precision, double value) {
  // The switch is the calling thread's alone and ends with the call.
  const locale_t previous = uselocale(cLocale());
  const int written = std::snprintf(buffer, size, format, precision, value);
  uselocale(previous);
  return written;
}

}  // namespace qn
