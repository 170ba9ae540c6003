#pragma once
// Numbers stored as ASCII digits with `decimals` implied places and the sign in the last byte:
// either a sign character of its own ("0150-", trailing sign) or punched into the last digit
// ("123J" is -12.31 with two places: "{" and "A".."I" are +0..+9, "}" and "J".."R" are -0..-9,
// and a plain digit there means positive).
#include <cstddef>
#include <cstdint>
#include <optional>

// Nothing when the digits do not read as a number.
std::optional<double> ReadTrailingSignText(const uint8_t* stored, size_t size, int decimals);
std::optional<double> ReadOverpunchedText(const uint8_t* stored, size_t size, int decimals);

// False, with the field untouched, when the value has more digits than the field holds or is no
// finite number. A value that rounds to zero is stored positive.
bool WriteTrailingSignText(double value, uint8_t* stored, size_t size, int decimals);
bool WriteOverpunchedText(double value, uint8_t* stored, size_t size, int decimals);
