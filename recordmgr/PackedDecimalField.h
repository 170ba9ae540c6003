#pragma once
// Writing packed decimals as the record manager stores its decimal and money types (read through
// framework/base/PackedDecimalBytes.h): size bytes hold 2 * size - 1 digits, two per byte with
// the high nibble first, and the last byte's low nibble is the sign, 0xD for a negative value and
// 0xF otherwise. The values carry `decimals` places. A value that rounds to zero is stored
// positive.
#include <cstddef>
#include <cstdint>

// False, with the field untouched, when the rounded value needs more digits than the field holds
// or is no finite number.
bool WritePackedDecimal(double value, uint8_t* stored, size_t size, int decimals);
