#include "framework/base/Tick.h"

#include "framework/base/Clock.h"

uint32_t GetTickCount() { return static_cast<uint32_t>(qn::clock().milliseconds()); }
void Sleep(uint32_t ms) { qn::clock().sleep(ms); }
