#pragma once
// Numbers in the record manager's byte order (least significant byte first): key segment
// descriptions, positions and file statistics, whatever the machine's own order.
#include <cstdint>

inline uint16_t ReadU16(const void* at) {
  const auto* p = static_cast<const uint8_t*>(at);
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t ReadU32(const void* at) {
  const auto* p = static_cast<const uint8_t*>(at);
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline void WriteU16(void* at, uint16_t value) {
  auto* p = static_cast<uint8_t*>(at);
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteU32(void* at, uint32_t value) {
  auto* p = static_cast<uint8_t*>(at);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}
