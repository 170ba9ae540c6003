#pragma once
// What the program's main sets before its Qt application exists. The program runs on X11
// (natively or through XWayland): it places windows, reads the pointer's position anywhere, finds
// the window under a point and brings another program's window to the front, none of which
// Wayland grants to programs. And Qt scales by whole factors only, so a 120-dpi desktop reports
// 120 dots per inch at a device pixel ratio of 1, as the system's own scaling expects.
namespace qn::ui {

// Both of the below.
void prepareDesktopPlatform();
// QT_QPA_PLATFORM=xcb when it is unset and an X display is there.
void preferX11();
// Qt's scale factor rounding policy Round.
void useWholeScaleFactors();

// Whether the platform Qt is about to use can show windows: an X display that answers when the
// platform is X11, any other platform a program chose explicitly (offscreen among them). Qt itself
// aborts without a word a user could act on when the display is missing.
bool desktopReachable();
// The one line a program prints instead of starting without a desktop.
const char* noDesktopMessage();

}  // namespace qn::ui
