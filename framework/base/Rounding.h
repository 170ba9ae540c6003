#pragma once
// Whole numbers from doubles, as the system's arithmetic expects them.
#include <cstdint>

// To the nearest whole number; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
int64_t Round(double value);
// Towards zero (-2.7 -> -2).
int64_t Trunc(double value);
