#pragma once
// Floating-point numbers in the old BASIC layout of 4 or 8 bytes: the exponent byte last, biased
// by 129 (0 means zero), the sign in the top bit of the byte below it, and the mantissa with an
// implied leading 1, least significant byte first.
#include <cstddef>
#include <cstdint>
#include <optional>

// Nothing for a size other than 4 or 8.
std::optional<double> ReadBasicFloat(const uint8_t* stored, size_t size);
// False, with the field untouched, for another size, a magnitude the form cannot hold, or a value
// that is no finite number. Magnitudes too small for the form store zero.
bool WriteBasicFloat(double value, uint8_t* stored, size_t size);
