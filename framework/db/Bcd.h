#pragma once
// TBcd: the 34-byte binary-coded decimal that BCD fields hold in a record buffer: the number of
// digits, a byte of sign (bit 7) and decimal places (bits 0-5), then the digits two to a byte,
// the first digit in the high half.
#include <cstdint>

struct TBcd {
  uint8_t Precision = 0;
  uint8_t SignSpecialPlaces = 0;
  uint8_t Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

// value rounded to places decimals in precision digits (1..64); raises EDatabaseError "BCD
// overflow" when its whole part needs more than precision - places digits.
TBcd DoubleToBcd(double value, int precision, int places);
double BcdToDouble(const TBcd& bcd);
