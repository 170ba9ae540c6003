#pragma once
// The main window's unit start, which the unit runs before the main block; every call after the
// first does nothing.
void InitializeCaseFUnit();
