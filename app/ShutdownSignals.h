#pragma once
// A desktop session that ends, or a terminal's Ctrl+C, stops the program the way a user closing
// its main window does: the loop ends, the units stop in order and no record file is left
// half-written. A message box or dialog open at that moment (a start-up refusal waits on one)
// ends first as its Cancel would, so the program ends without a user to answer it. Needs the Qt
// application.
void CloseMainWindowOnTerminationSignals();
