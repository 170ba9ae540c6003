#pragma once
// The pointer's position, the control under a point, and mouse capture: while a control holds it, every mouse event of the program goes to that control
// (framework routing, not a pointer grab of the desktop, which would stay stuck if the program
// stopped in a handler; outside the program's windows the capture therefore holds only while a
// button is down, through the desktop's own press grab). A left press on a control captures the
// mouse until the release.
#include "framework/ui/Geometry.h"

class TControl;
class TWinControl;

// Where the mouse pointer is, in screen coordinates.
TPoint GetCursorPos();

TControl* GetCaptureControl();
// Gives the capture to Control; nullptr releases it.
void SetCaptureControl(TControl* Control);
void ReleaseCapture();

namespace qn::ui {

// Runs a nested event loop while Control holds the capture, dispatching everything else; ends
// when the capture goes or the application is asked to terminate (the request stays).
void runCaptureLoop(TControl* Control);

// The windowed control of ours under a screen point; nullptr when none. The desktop answers for
// any point on X11 and offscreen; a Wayland session answers only inside the program's own windows.
TWinControl* windowedControlAt(TPoint screenPoint);

}  // namespace qn::ui
