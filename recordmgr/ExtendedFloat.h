#pragma once
// The 10-byte extended float of the record manager's float type, converted through 15
// significant digits in both directions, as the stored value's text would be.
#include <cstdint>

double ReadExtendedFloat(const uint8_t* stored);
void WriteExtendedFloat(double value, uint8_t* stored);
