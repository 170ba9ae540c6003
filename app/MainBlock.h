#pragma once
// The program's main block, after the units have started and the start-up guard let this process
// go on: the application object's settings, the long-lived forms in their order, the loop.
#include <iosfwd>
#include <vector>

#include "app/StartupForms.h"

// Sets up the application object, creates the forms and shows the main window. The mutex the
// guard holds is released whatever happens, with the main window's window made first so that the
// next start-up's search finds it. A creation (or the first show) that raises is reported in an
// error box and on errors; answers false then.
bool StartMainBlock(std::ostream& errors, const std::vector<AnsiString>& formClassNames = StartupFormClassNames());

// StartMainBlock, then the application's loop until the main window closes. Answers the process's
// exit code: 0, or 1 when start-up failed.
int RunMainBlock(std::ostream& errors);
