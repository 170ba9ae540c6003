#pragma once
// The main window's unit start. The program's main links it by calling this (the unit starts it
// before the main block); every call after the first does nothing.
void InitializeCaseFUnit();
