#pragma once
// The program's whole run, for its main and for test programs that stand in for it: the desktop
// check, the Qt application, the units, the start-up guard and the main block. Answers the exit
// code.
int RunProgram(int argc, char** argv);
