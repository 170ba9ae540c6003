#pragma once
// Three number forms of the extended stored types that need no conversion library.
#include <cstdint>
#include <optional>

// Ten-byte decimal float (type 238): byte 0 the sign (bit 7) and a decimal exponent biased by 64,
// bytes 9 down to 1 seventeen digits, high nibble first, the first of them before the point.
// Ten zero bytes are 0.0; nothing for a digit nibble above 9.
std::optional<double> ReadDecimalFloat(const uint8_t* stored);
// Magnitudes below 1E-16 store ten zero bytes; false, with the field untouched, when the exponent
// does not fit the form or the value is no finite number.
bool WriteDecimalFloat(double value, uint8_t* stored);

// Eight-byte date-time (type 253): a double counting days since 30 December 1899, the fraction
// the time of day (before that day the whole part counts back and the fraction still adds the
// time). The engine's timestamp of it, rounded to the millisecond; no time-zone offset.
double ReadDateTimeTimestamp(const uint8_t* stored);
void WriteDateTimeTimestamp(double timestamp, uint8_t* stored);

// Six-byte real (type 255): byte 0 the exponent biased by 129 (0 is zero), bytes 1 to 5 a 39-bit
// mantissa behind an implied 1, least significant first, the sign in bit 7 of byte 5.
double ReadSixByteReal(const uint8_t* stored);
// Rounded half up on the first dropped bit. Too small magnitudes store zero; too large ones raise
// EOverflow; false, with six zero bytes, for a value that is no finite number.
bool WriteSixByteReal(double value, uint8_t* stored);
