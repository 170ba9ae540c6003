#pragma once
// GetTickCount: milliseconds of the framework's clock as 32 bits, wrapping to 0 after
// 2^32 - 1 (about 49.7 days). Deadlines must be measured as an unsigned difference
// (GetTickCount() - start), which stays right across the wrap.
#include <cstdint>

uint32_t GetTickCount();
// Waits ms milliseconds of the framework's clock.
void Sleep(uint32_t ms);
