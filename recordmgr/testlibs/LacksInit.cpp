// A record-manager library that lacks its start entry point, so tests see the loader refuse a
// library without all four entry points.
#include <cstdint>

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT int16_t BTRCALL(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t) { return 0; }
EXPORT int16_t BTRCALLID(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t, const uint8_t*) { return 0; }
EXPORT uint16_t WBTRVSTOP() { return 0; }
