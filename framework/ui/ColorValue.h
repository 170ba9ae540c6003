#pragma once
// A colour as the framework passes it: 0x00BBGGRR, or 0x80000000 + the index of a system colour.
#include <cstdint>

using TColor = std::uint32_t;
