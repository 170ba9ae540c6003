#pragma once
// What the main window's unit sets before the main block runs: the data alias's description and
// folder, the size option, the workstation, the program folder and, in a case start, the hide
// flags. The unit runs it once (CaseFUnit.cpp); tests call it directly.
void ReadMainWindowStartSettings();
