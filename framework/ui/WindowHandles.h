#pragma once
// The table of window handles this program has given its windowed controls, so that a handle
// coming back through a library's call finds its control, and finds none once it is destroyed.
#include "platform/os/WindowRegistry.h"

class TWinControl;

// Drops every handle of Control (its destructor calls it).
void forgetWindowHandles(TWinControl* Control);
