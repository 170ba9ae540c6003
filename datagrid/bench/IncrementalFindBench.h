#pragma once
// The incremental-search cases of grid_bench (IncrementalFindBench.cpp).

// Closes and removes the clients file the cases made, before the program's units stop.
void ReleaseIncrementalFindClients();
