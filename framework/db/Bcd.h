#pragma once
// BcdValue: the 34-byte binary-coded decimal that BCD fields hold in a record buffer: the
// number of digits, a byte of sign (bit 7) and decimal places (bits 0-5), then the digits two
// to a byte, the first digit in the high half.
#include <cstdint>

struct BcdValue {
  uint8_t precision = 0;
  uint8_t signAndPlaces = 0;
  uint8_t digits[32] = {};
};
static_assert(sizeof(BcdValue) == 34);

// value rounded to places decimals in precision digits (1..64); raises EDatabaseError "BCD
// overflow" when its whole part needs more than precision - places digits.
BcdValue DoubleToBcd(double value, int precision, int places);
double BcdToDouble(const BcdValue& bcd);
