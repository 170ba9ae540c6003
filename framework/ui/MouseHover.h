#pragma once
// Which windowless control the mouse is over. Windowed controls hear Qt's enter and leave; a
// control without a window hears them from here, as the mouse moves onto it and off it.
class TControl;

namespace qn::ui {

// The control a mouse move went to; nullptr when the mouse left the program's windows.
void noteMouseOver(TControl* control);

}  // namespace qn::ui
