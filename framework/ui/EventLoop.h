#pragma once
// The framework's one loop routine. The application's Run, every modal run and the mouse-capture
// loop run on it, one inside another on one stack. A loop ends on its own condition or when the
// application is asked to terminate (then every loop below it ends too).
//
// Idle: when the innermost running loop is one of these and is about to wait for events (the
// dispatcher's about-to-block signal), the application's idle handler runs, once after each
// batch; while it answers "not done" the loop is woken so it runs again without a new event. It
// never runs inside Qt's own loops (a QDialog's exec started by a handler), never from
// ProcessMessages and never inside itself.
#include <functional>

namespace qn::ui {

// Runs the loop until finished() holds or the application is terminated.
void runLoop(const std::function<bool()>& finished);
// How many of the framework's loops run, one inside another.
int runningLoops();
// Wakes the waiting loop so the loops check their conditions.
void wakeLoops();
// How many times the idle handler has answered "done" (or there was none to ask) since start-up.
unsigned long idleRestsSoFar();

}  // namespace qn::ui
