#pragma once
// Numbers as text in the C library's "C" notation ('.' before the decimals), whatever locale the
// process runs under: a Qt program takes the system's locale at start, while our conversions
// read and write their intermediate texts with the '.'.
#include <cstddef>

namespace qn {

// strtod under the "C" locale.
double ParseCNotation(const char* text, char** end = nullptr);
// snprintf of one number with a precision ("%.*f", "%.*e" ...) under the "C" locale.
int PrintCNotation(char* buffer, size_t size, const char* format, int precision, double value);

}  // namespace qn
