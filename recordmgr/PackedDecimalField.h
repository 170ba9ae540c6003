#pragma once
// Packed decimals as the record manager stores its decimal and money types: size bytes hold
// 2 * size - 1 digits, two per byte with the high nibble first, and the last byte's low nibble is
// the sign (0xD negative, anything else positive). The values carry `decimals` places.
// Zero has no sign: a value that rounds to zero is stored positive, and zero digits under a
// negative sign read as plain 0.
#include <cstddef>
#include <cstdint>
#include <optional>

// Nothing when a digit nibble is above 9.
std::optional<double> ReadPackedDecimal(const uint8_t* stored, size_t size, int decimals);
// False, with the field untouched, when the rounded value needs more digits than the field holds
// or is no finite number.
bool WritePackedDecimal(double value, uint8_t* stored, size_t size, int decimals);
