#pragma once
// A desktop session that ends, or a terminal's Ctrl+C, stops the program the way a user closing
// its main window does: the loop ends, the units stop in order and no record file is left
// half-written. Needs the Qt application.
void CloseMainWindowOnTerminationSignals();
