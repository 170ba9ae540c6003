#pragma once
// Packed decimals as record files store them, read one way by every layer: size bytes hold
// 2 * size - 1 digits, two a byte with the high nibble first, and the last byte's low nibble is
// the sign. D and B mean negative, every other sign positive (writers write F and D only). A
// digit nibble above 9 is damage, not a number. Zero has no sign: zero digits read as plain 0.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qn {

// Whether a packed field whose last byte is `lastByte` carries a negative sign.
bool packedSignNegative(uint8_t lastByte);

// The value, the digits taken as having `decimals` places (rounded as a correct decimal reading
// rounds); nothing for no bytes or a damaged digit.
std::optional<double> readPackedDecimal(const uint8_t* bytes, size_t size, int decimals);

}  // namespace qn
